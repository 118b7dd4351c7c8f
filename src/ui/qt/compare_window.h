#pragma once
// "Compare Cores": every candidate core of the main window's request in a
// sortable, filterable table. It only shows what CompareCores computes: the
// main window refreshes it after every event, and a double-click on a line
// asks the main window to design that core.

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QWidget>
#include <memory>
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

// The table with its first column (the part number) frozen at the left
// while the others scroll beneath it: a second view over the first column,
// sharing the model, the selection and the vertical scrolling.
class FrozenFirstColumnTable : public QTableView {
  Q_OBJECT
 public:
  FrozenFirstColumnTable(QAbstractItemModel* model, QWidget* parent);
  // The view over the first column.
  QTableView* Frozen() const { return frozen_; }

 protected:
  // Keeps the frozen view over the first column as headers and size change.
  void updateGeometries() override;
  QModelIndex moveCursor(CursorAction cursor_action, Qt::KeyboardModifiers modifiers) override;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

 private:
  void PlaceFrozen();
  QTableView* frozen_;
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
  // The size that shows every column whole and some forty lines.
  QSize WholeTableSize() const;
  // The menu of the table's header: a check mark per column but the part
  // number, which shows or hides that column; the columns hidden are
  // remembered for the next window.
  std::unique_ptr<QMenu> ColumnMenu();

 signals:
  // A line was double-clicked: design this core.
  void coreChosen(Material material, int16_t stack_count, int16_t row);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ApplyFilter();
  void LineDoubleClicked(const QModelIndex& index);
  void ShowColumnMenu(const QPoint& at);
  // A column's title in inches: the name a hidden column is remembered by.
  static QString StableTitle(int column);
  void RememberHiddenColumns() const;

  DesignController& frm_;
  CandidateTableModel* model_;
  CandidateFilter* filter_;
  QComboBox* cboMaterial_;
  QComboBox* cboStack_;
  QCheckBox* chkPassing_;
  QPushButton* cmdExport_;
  QLabel* lblSummary_;
  FrozenFirstColumnTable* grdCompare_;
  std::string table_notes_;  // what the summary says beside its counts
  // What the table was computed for.
  std::optional<DesignRequest> shown_request_;
  bool shown_metric_ = false;
};

}  // namespace tov::qt
