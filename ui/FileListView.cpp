#include "ui/FileListView.h"

#include <QHeaderView>
#include <QMouseEvent>

#include "ui/FileListModel.h"

namespace varnolet {
namespace {

constexpr int kColumnWidths[FileListModel::ColumnCount] = {65, 135, 372};

} // namespace

FileListView::FileListView(QWidget* parent) : QTableView(parent) {
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    // Fixed row heights keep a list of 100,000 rows as quick as one of ten.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setSortIndicatorShown(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(false);
}

void FileListView::SetListModel(FileListModel* model) {
    setModel(model);
    for (int column = 0; column < FileListModel::ColumnCount; ++column) {
        setColumnWidth(column, kColumnWidths[column]);
    }
}

int FileListView::SelectedRow() const {
    if (!selectionModel()) {
        return -1;
    }
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void FileListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit LeftDoubleClicked();
    } else if (event->button() == Qt::RightButton) {
        emit RightDoubleClicked();
    }
}

} // namespace varnolet
