#include "driver/globals.h"

TSystemGlobal* SystemInfo = nullptr;
TSettingsObject* Settings = nullptr;
TScanDetails* ScanResult = nullptr;
TFileExtensionsObject* ExtensionTable = nullptr;
TTarveloStructured* StructuredWriter = nullptr;
TTarveloQuorvane* ClassicWriter = nullptr;
TQuorvaneScan* ScanEngine = nullptr;
std::vector<const TFileObject*>* Top101Smallest = nullptr;
std::vector<const TFileObject*>* Top101Largest = nullptr;
std::vector<std::string>* NullFiles = nullptr;
std::vector<std::string> CommandLine;
