#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <QAbstractTableModel>

#include "ui/FoldedPathIndex.h"

namespace varnolet {

/// The cells a row shows beside its path. Both are cuts of the path itself and
/// view into it, so a row keeps nothing but its path and works them out when
/// they are shown.
struct ListCells {
    std::string_view type; ///< the extension of the file name
    std::string_view name; ///< the file name before its last dot
};
ListCells ComputeListCells(std::string_view path);

/// The queue of the next sweep: one row per file, in the order of adding, each
/// keeping the exact bytes it was added with. No two rows have paths equal
/// after A to Z are folded to a to z; an index of folded paths keeps that test
/// cheap however long the list grows.
class FileListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColType = 0, ColName = 1, ColPath = 2, ColumnCount = 3 };

    /// Longest path a row takes: each cell holds at most this many bytes.
    static constexpr std::size_t kMaxCellBytes = 9998;

    explicit FileListModel(QObject* parent = nullptr);

    /// Appends a row unless the path is already listed (or too long to show).
    bool AddListItem(const std::string& path);
    /// AddListItem for each path in order, with one insertion for all new rows.
    /// Returns how many rows were added. The rows take over the paths' storage.
    std::size_t AddListItems(std::vector<std::string> paths);

    void RemoveListRow(int row);
    void RemoveAllRows();

    int Count() const { return static_cast<int>(m_paths.size()); }
    const std::string& Path(int row) const { return m_paths[static_cast<std::size_t>(row)]; }
    /// Views into the row's path, valid while the row is listed.
    ListCells Cells(int row) const { return ComputeListCells(Path(row)); }
    const std::vector<std::string>& Paths() const { return m_paths; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<std::string> m_paths; // one a row
    FoldedPathIndex m_index;
};

} // namespace varnolet
