#pragma once
// The printed report as data: lines of text items placed at character columns.

#include <string>
#include <vector>

namespace tov {

struct ReportItem {
  int column = 0;  // 1-based character column; 0: right after the previous item
  std::string text;
};

struct ReportLine {
  bool bold = false;
  std::vector<ReportItem> items;  // no items: a blank line
};

// The whole report, one printed page at 12 point.
struct ReportDocument {
  int font_size_points = 12;
  std::vector<ReportLine> lines;
};

}  // namespace tov
