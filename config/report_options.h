#pragma once
// Report option records: the stored report preferences of the settings and
// the records the report driver fills from a switch for each writer.
#include <array>
#include <cstdint>
#include <string>

struct THTMLReportOptions {
  std::string Filename;
  int32_t HTMLUnits = 0;
  std::string HTMLAlign;
  std::string Layout;
  int32_t LayoutSize = 0;
  std::string CategoryList;
  bool HTMLAutoOpen = false;
};

struct TTextReportOptions {
  std::string Filename;
  std::string Layout;
  std::string CategoryList;
  bool TextAutoOpen = false;
};

struct TXMLReportOptions {
  std::string Filename;
  int32_t XMLData = 0;
  bool XMLAutoOpen = false;
  std::array<bool, 11> XMLOutputOption{};
  std::string Layout;
};

struct TCSVReportOptions {
  std::string Filename;
  int32_t CSVSeparator = 0;
  int32_t CSVData = 0;
  int32_t CSVUnits = 0;
  bool CSVTitles = false;
  bool CSVAutoOpen = false;
  int32_t Category = 0;
  std::string Layout;
};

struct TTreeReportOptions {
  std::string Filename;
  std::string Layout;
  bool IncludeSize = false;
  bool IncludeAttributes = false;
  std::string CategoryList;
  bool TreeAutoOpen = false;
};

struct TQuorvaneReportOptions {
  std::string Filename;
  int32_t Layout = 0;
  bool QuorvaneAutoOpen = false;
};

struct TReportOptions {
  std::array<int32_t, 11> HTMLColours{};
  bool HTMLMonoBargraph = false;
  std::string HTMLOutput;
  THTMLReportOptions HTMLOptions;
  std::string TextOutput;
  TTextReportOptions TextOptions;
  std::string XMLOutput;
  TXMLReportOptions XMLOptions;
  std::string TreeOutput;
  TTreeReportOptions TreeOptions;
  TQuorvaneReportOptions QuorvaneOptions;
  std::string CSVOutput;
  TCSVReportOptions CSVOptions;
  std::string SummaryLayout;
};
