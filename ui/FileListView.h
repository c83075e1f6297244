#pragma once

#include <QTableView>

namespace varnolet {

class FileListModel;

/// The file list's view: report style with grid lines, full-row single
/// selection, no sorting, fixed column widths. A double click with either
/// button is reported after the click has moved the selection.
class FileListView final : public QTableView {
    Q_OBJECT
public:
    explicit FileListView(QWidget* parent);

    void SetListModel(FileListModel* model);
    /// The selected row, or -1.
    int SelectedRow() const;

signals:
    void LeftDoubleClicked();
    void RightDoubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace varnolet
