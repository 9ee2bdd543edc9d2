// ReportList: a report-style list view of the window, usable as the
// engine's message sink.
//
// The rows live in the automation list (automation::ListView), which is
// what the engine writes to through OutputMsgBox; the list mirrors them
// into its QTreeWidget whenever a client refreshes the list or scrolls a
// row into view, and whenever the window changes the rows itself. Rows
// that report a failure are shown in red.
#ifndef TAVELLE_FRONTEND_REPORT_LIST_H_
#define TAVELLE_FRONTEND_REPORT_LIST_H_

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTreeWidget>

#include "automation/list_view.h"

namespace frontend {

// Lists never hold more rows than this; the row after the last one starts
// an empty list.
inline constexpr size_t kMaxListRows = 1000;

// Whether a row with these column texts reports a failure: the engine's
// read and write failures carry "  File: " and the path, its database
// failures start with "Error In".
bool IsFailureRow(const QStringList& texts);

// Column widths are given in twips, the unit of the window's original
// layout: 15 twips make one pixel.
int TwipsToPixels(int twips);

class ReportList : public automation::ListView {
 public:
  explicit ReportList(QTreeWidget* view);

  QTreeWidget* view() const { return view_; }

  // Sets the column captions and widths (in twips; 0 leaves the width to
  // the view, which stretches the last column).
  void SetColumns(const QStringList& captions, const std::vector<int>& widths_in_twips);

  // Keeps the column as wide as its widest row and its caption.
  void FitColumnToContents(int column);

  // Adds one row: `text` in the first column, the other columns only when
  // their text is not empty. A full list is emptied first.
  void AddMsg(const QString& text, const QString& second = {}, const QString& third = {},
              const QString& fourth = {});

  // Makes the 1-based row the selected one; below 1 selects nothing.
  void SelectRow(int row);

  // The first column of the view's selected row; empty when none is.
  QString SelectedText() const;

 protected:
  void OnRefresh() override;
  void OnClear() override;
  void OnEnsureVisible(size_t row) override;

 private:
  void Mirror();

  QPointer<QTreeWidget> view_;
  size_t mirrored_ = 0;  // rows already shown in the view
};

}  // namespace frontend

#endif  // TAVELLE_FRONTEND_REPORT_LIST_H_
