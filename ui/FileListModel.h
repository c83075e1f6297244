#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

#include <QAbstractTableModel>

namespace varnolet {

/// The cells a row shows for a path, computed once when the row is added.
struct ListCells {
    std::string type; ///< the extension of the file name
    std::string name; ///< the file name before its last dot
};
ListCells ComputeListCells(const std::string& path);

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
    /// Returns how many rows were added.
    std::size_t AddListItems(const std::vector<std::string>& paths);

    void RemoveListRow(int row);
    void RemoveAllRows();

    int Count() const { return static_cast<int>(m_rows.size()); }
    const std::string& Path(int row) const { return m_rows[static_cast<std::size_t>(row)].path; }
    const ListCells& Cells(int row) const { return m_rows[static_cast<std::size_t>(row)].cells; }
    std::vector<std::string> Paths() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Row {
        std::string path;
        ListCells cells;
    };
    bool Admit(const std::string& path);

    std::vector<Row> m_rows;
    std::unordered_set<std::string> m_foldedPaths;
};

} // namespace varnolet
