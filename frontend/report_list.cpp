#include "frontend/report_list.h"

#include <QBrush>
#include <QHeaderView>

namespace frontend {
namespace {

QStringList ColumnTexts(const automation::ListItem& row, int columns) {
  QStringList texts{QString::fromStdString(row.text())};
  for (int column = 1; column < columns; ++column)
    texts << QString::fromStdString(row.sub_item(static_cast<size_t>(column)));
  return texts;
}

// Sets a view row's texts, in red when the row reports a failure.
void ShowRow(QTreeWidgetItem* item, const QStringList& texts) {
  bool failure = IsFailureRow(texts);
  for (int column = 0; column < texts.size(); ++column) {
    item->setText(column, texts[column]);
    if (failure)
      item->setForeground(column, QBrush(QColor(0xc0, 0x10, 0x20)));
    else
      item->setData(column, Qt::ForegroundRole, QVariant());
  }
}

}  // namespace

bool IsFailureRow(const QStringList& texts) {
  for (const QString& text : texts)
    if (text.contains(QLatin1String("  File: ")) || text.startsWith(QLatin1String("Error In")))
      return true;
  return false;
}

int TwipsToPixels(int twips) { return (twips + 7) / 15; }

ReportList::ReportList(QTreeWidget* view) : view_(view) {
  view->setRootIsDecorated(false);
  view->setUniformRowHeights(true);
  view->setAllColumnsShowFocus(true);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->header()->setStretchLastSection(true);
}

void ReportList::SetColumns(const QStringList& captions, const std::vector<int>& widths_in_twips) {
  view_->setColumnCount(static_cast<int>(captions.size()));
  view_->setHeaderLabels(captions);
  for (size_t column = 0; column < widths_in_twips.size(); ++column)
    if (widths_in_twips[column] > 0)
      view_->setColumnWidth(static_cast<int>(column), TwipsToPixels(widths_in_twips[column]));
}

void ReportList::FitColumnToContents(int column) {
  // Only the rows in view are measured, so that a run's many rows stay cheap.
  view_->header()->setResizeContentsPrecision(0);
  view_->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
}

void ReportList::AddMsg(const QString& text, const QString& second, const QString& third,
                        const QString& fourth) {
  if (RowCount() >= kMaxListRows) ClearRows();
  auto row = AddRow(text.toStdString());
  size_t column = 1;
  for (const QString* sub_item : {&second, &third, &fourth}) {
    if (!sub_item->isEmpty()) row->set_sub_item(column, sub_item->toStdString());
    ++column;
  }
  Mirror();
}

void ReportList::SelectRow(int row) {
  if (!view_ || row < 1 || row > view_->topLevelItemCount()) return;
  QTreeWidgetItem* item = view_->topLevelItem(row - 1);
  view_->setCurrentItem(item);
}

QString ReportList::SelectedText() const {
  if (!view_) return {};
  QList<QTreeWidgetItem*> selected = view_->selectedItems();
  return selected.isEmpty() ? QString() : selected.first()->text(0);
}

void ReportList::OnRefresh() {
  Mirror();
  // The engine refreshes after every row of a run; the pump paints the
  // view at its next pass.
  if (view_) view_->viewport()->update();
}

void ReportList::OnClear() {
  mirrored_ = 0;
  if (view_) view_->clear();
}

void ReportList::OnEnsureVisible(size_t row) {
  Mirror();
  if (!view_ || row >= static_cast<size_t>(view_->topLevelItemCount())) return;
  QTreeWidgetItem* item = view_->topLevelItem(static_cast<int>(row));
  long selected = SelectedRow();
  if (selected >= 0) view_->setCurrentItem(view_->topLevelItem(static_cast<int>(selected)));
  view_->scrollToItem(item);
}

void ReportList::Mirror() {
  if (!view_) return;
  int columns = view_->columnCount();
  // A client may set a row's texts after adding it: the newest row shown
  // so far is read again along with the new ones.
  if (mirrored_ > 0)
    ShowRow(view_->topLevelItem(static_cast<int>(mirrored_ - 1)),
            ColumnTexts(Row(mirrored_ - 1), columns));
  QList<QTreeWidgetItem*> added;
  for (; mirrored_ < RowCount(); ++mirrored_) {
    added << new QTreeWidgetItem;
    ShowRow(added.last(), ColumnTexts(Row(mirrored_), columns));
  }
  if (!added.isEmpty()) view_->addTopLevelItems(added);
}

}  // namespace frontend
