#include "ui/FileListModel.h"

#include "discovery/PathUtils.h"
#include "discovery/StringUtils.h"
#include "platform/qt/DisplayText.h"

namespace varnolet {
namespace {

const char* const kHeaders[FileListModel::ColumnCount] = {"Type", "ID <=> Name", "Full Path"};

} // namespace

ListCells ComputeListCells(const std::string& path) {
    const std::string fileName = PathFileName(path);
    const std::size_t dot = fileName.rfind('.');
    // The name is the cut before the last dot, deliberately not trimmed again.
    return {PathExtension(path), dot == std::string::npos ? fileName : fileName.substr(0, dot)};
}

FileListModel::FileListModel(QObject* parent) : QAbstractTableModel(parent) {}

bool FileListModel::Admit(const std::string& path) {
    // A longer path could not be shown whole, and a cut one would name another file.
    if (path.size() > kMaxCellBytes) {
        return false;
    }
    return m_foldedPaths.insert(StrLower(path)).second;
}

bool FileListModel::AddListItem(const std::string& path) {
    return AddListItems({path}) == 1;
}

std::size_t FileListModel::AddListItems(const std::vector<std::string>& paths) {
    std::vector<Row> fresh;
    for (const std::string& path : paths) {
        if (Admit(path)) {
            fresh.push_back({path, ComputeListCells(path)});
        }
    }
    if (fresh.empty()) {
        return 0;
    }
    const int first = Count();
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(fresh.size()) - 1);
    m_rows.insert(m_rows.end(), std::make_move_iterator(fresh.begin()),
                  std::make_move_iterator(fresh.end()));
    endInsertRows();
    return fresh.size();
}

void FileListModel::RemoveListRow(int row) {
    if (row < 0 || row >= Count()) {
        return;
    }
    beginRemoveRows(QModelIndex(), row, row);
    m_foldedPaths.erase(StrLower(Path(row)));
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

void FileListModel::RemoveAllRows() {
    beginResetModel();
    m_rows.clear();
    m_foldedPaths.clear();
    endResetModel();
}

std::vector<std::string> FileListModel::Paths() const {
    std::vector<std::string> paths;
    paths.reserve(m_rows.size());
    for (const Row& row : m_rows) {
        paths.push_back(row.path);
    }
    return paths;
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
    const Row& row = m_rows[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case ColType:
        return platform::ToDisplay(row.cells.type);
    case ColName:
        return platform::ToDisplay(row.cells.name);
    case ColPath:
        return platform::ToDisplay(row.path);
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
