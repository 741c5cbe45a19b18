#pragma once
// The XML report: the statistics of one scan as an XML document, its
// sections chosen by a ten-character layout.
#include <cstdint>
#include <string>

#include "config/report_options.h"

class TReportFile;

void WriteXMLReport(const std::string& file_name, const TXMLReportOptions& options);

// What the information section shows of the drive that holds the scanned
// folder. Figures the system does not deliver are 0, names empty.
struct TXmlVolumeFigures {
  int64_t SectorsPerCluster = 0;
  int64_t BytesPerSector = 0;
  int64_t FreeClusters = 0;
  int64_t TotalClusters = 0;
  std::string VolumeName;
  std::string SerialNumber;  // 8 upper-case hexadecimal digits
  std::string FileSystem;
  std::string DriveType;  // language text of the drive kind
  int64_t SpaceFree = -1;  // bytes free for the user, as the scan recorded them
  int64_t SpaceMax = -1;
};

TXmlVolumeFigures QueryXmlVolumeFigures(const std::string& folder);

// The document itself, from the scan result and the other global objects
// (exposed for tests, which fill those objects themselves).
void WriteXMLReportDocument(TReportFile& out, const std::string& layout,
                            const TXmlVolumeFigures& volume);
