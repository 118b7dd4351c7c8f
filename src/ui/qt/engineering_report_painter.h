#pragma once
// Puts the engineering report on pages: the first page holds the title, the
// title block, the requirement table, the core, winding, losses and
// temperature tables side by side, the inductance chart and beside it the
// wound core to scale; the inputs, options and worst case follow on the next
// page. Text is painted as text, every table column at one position, figures
// right-aligned.

#include <QLocale>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRectF>

#include "ui/logic/engineering_report.h"

namespace tov::qt {

// The paper of the user's country: Letter where the locale measures in US
// units, else A4.
QPageSize ReportPageSize(const QLocale& locale);

// Where the chart stands, in device units of the painter: on the first page
// below the tables, unless they leave it too little room.
struct ReportLayout {
  QRectF chart;    // the inductance chart; empty without one
  QRectF drawing;  // the wound core's drawing, right of the chart
  int chart_page = 1;
};

// Paints `report` with `painter`, which is active on a paged device set up
// with its page size and margins; starts new pages as they are needed.
// Returns where the chart and the drawing beside it are.
ReportLayout PaintEngineeringReport(QPainter& painter, const EngineeringReport& report);

// The page setup of the report on `device`: the paper of `locale` and
// margins of 20 mm.
void SetUpReportPages(QPagedPaintDevice& device, const QLocale& locale);

}  // namespace tov::qt
