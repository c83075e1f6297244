#include "ui/FileListModel.h"

#include <iterator>
#include <utility>

#include "discovery/PathUtils.h"
#include "platform/qt/DisplayText.h"

namespace varnolet {
namespace {

const char* const kHeaders[FileListModel::ColumnCount] = {"Type", "ID <=> Name", "Full Path"};

} // namespace

ListCells ComputeListCells(std::string_view path) {
    const std::string_view fileName = PathFileNameView(path);
    const std::size_t dot = fileName.rfind('.');
    // The name is the cut before the last dot, deliberately not trimmed again.
    return {PathExtensionView(path),
            dot == std::string_view::npos ? fileName : fileName.substr(0, dot)};
}

FileListModel::FileListModel(QObject* parent) : QAbstractTableModel(parent) {}

bool FileListModel::AddListItem(const std::string& path) {
    return AddListItems({path}) == 1;
}

std::size_t FileListModel::AddListItems(std::vector<std::string> paths) {
    const std::size_t first = m_paths.size();
    // The paths taken are packed to the front of `paths` as they are found, so a
    // path repeated within the batch meets its first spelling there.
    std::size_t taken = 0;
    const FoldedPathIndex::PathAt pathAt = [&](std::size_t row) -> std::string_view {
        return row < first ? m_paths[row] : paths[row - first];
    };
    m_index.Reserve(first + paths.size());
    for (std::string& path : paths) {
        // A longer path could not be shown whole, and a cut one would name another file.
        if (path.size() <= kMaxCellBytes && m_index.TryInsert(path, first + taken, pathAt)) {
            if (&path != &paths[taken]) {
                paths[taken] = std::move(path);
            }
            ++taken;
        }
    }
    if (taken == 0) {
        return 0;
    }
    paths.resize(taken);
    beginInsertRows(QModelIndex(), static_cast<int>(first), static_cast<int>(first + taken) - 1);
    if (m_paths.empty()) {
        m_paths = std::move(paths);
    } else {
        m_paths.insert(m_paths.end(), std::make_move_iterator(paths.begin()),
                       std::make_move_iterator(paths.end()));
    }
    endInsertRows();
    return taken;
}

void FileListModel::RemoveListRow(int row) {
    if (row < 0 || row >= Count()) {
        return;
    }
    beginRemoveRows(QModelIndex(), row, row);
    m_index.EraseRow(Path(row), static_cast<std::size_t>(row));
    m_paths.erase(m_paths.begin() + row);
    endRemoveRows();
}

void FileListModel::RemoveAllRows() {
    beginResetModel();
    m_paths.clear();
    m_index.Clear();
    endResetModel();
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

int FileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= Count() ||
        (role != Qt::DisplayRole && role != Qt::ToolTipRole)) {
        return {};
    }
    const ListCells cells = Cells(index.row());
    switch (index.column()) {
    case ColType:
        return platform::ToDisplay(cells.type);
    case ColName:
        return platform::ToDisplay(cells.name);
    case ColPath:
        return platform::ToDisplay(Path(index.row()));
    default:
        return {};
    }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount) {
        return {};
    }
    return QString::fromLatin1(kHeaders[section]);
}

} // namespace varnolet
