#pragma once
// "Compare Cores": every candidate core of the main window's request in a
// sortable, filterable table. It only shows what CompareCores computes: the
// main window refreshes it after every event, and a double-click on a line
// asks the main window to design that core.

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QWidget>
#include <optional>
#include <vector>

#include "ui/logic/candidate_rows.h"
#include "ui/logic/design_controller.h"

namespace tov::qt {

// The lines of the table; Qt::UserRole holds the number a cell sorts by.
// Texts are formatted only for the cells the view asks for.
class CandidateTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  CandidateTableModel(const CoreTable& cores, QObject* parent)
      : QAbstractTableModel(parent), cores_(cores) {}
  void SetRows(std::vector<CandidateRow> rows, bool metric);
  const std::vector<CandidateRow>& Rows() const { return rows_; }
  const CoreTable& Cores() const { return cores_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const CoreTable& cores_;
  std::vector<CandidateRow> rows_;
  bool metric_ = false;
};

// Filters by material, stack count and passing, and sorts numbers as numbers
// with empty cells last.
class CandidateFilter : public QSortFilterProxyModel {
  Q_OBJECT
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;
  // nullopt: every material, every stack count. E-cores, never stacked, pass
  // every stack filter.
  void SetFilter(std::optional<Material> material, std::optional<int16_t> stack, bool passing);

 protected:
  bool filterAcceptsRow(int source_row, const QModelIndex& source_parent) const override;
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

 private:
  const CandidateTableModel& Model() const;
  std::optional<Material> material_;
  std::optional<int16_t> stack_;
  bool passing_ = false;
};

class CompareWindow : public QWidget {
  Q_OBJECT
 public:
  // A window of its own, owned by `parent` (the main window).
  CompareWindow(DesignController& frm, QWidget* parent);

  // Shows the table of the window's current request; recomputes it only
  // when the request or the units changed since the last time.
  void Refresh();

  // The lines as the table shows them now: filtered and sorted.
  std::vector<CandidateRow> ShownRows() const;

 signals:
  // A line was double-clicked: design this core.
  void coreChosen(Material material, int16_t stack_count, int16_t row);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ApplyFilter();
  void LineDoubleClicked(const QModelIndex& index);

  DesignController& frm_;
  CandidateTableModel* model_;
  CandidateFilter* filter_;
  QComboBox* cboMaterial_;
  QComboBox* cboStack_;
  QCheckBox* chkPassing_;
  QPushButton* cmdExport_;
  QLabel* lblSummary_;
  QTableView* grdCompare_;
  // What the table was computed for.
  std::optional<DesignRequest> shown_request_;
  bool shown_metric_ = false;
};

}  // namespace tov::qt
