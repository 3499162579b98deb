#include "framework/ListLinesModel.h"

#include <algorithm>

#include "framework/TextCodec.h"

namespace framework {

ListLinesModel::ListLinesModel(QObject* parent, bool sorted)
    : QAbstractListModel(parent), sorted_(sorted) {}

int ListLinesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

QVariant ListLinesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= Count()) return {};
    return role == Qt::DisplayRole ? QVariant(FromCp1252(Line(index.row()))) : QVariant();
}

std::string_view ListLinesModel::Line(int row) const {
    if (row < 0 || row >= Count()) return {};
    const std::size_t begin = Begin(row);
    return std::string_view(bytes_).substr(begin, ends_[row] - begin);
}

int ListLinesModel::SortedRow(std::string_view line) const {
    const QString text = FromCp1252(line);
    int low = 0;
    int high = Count();
    while (low < high) {  // the first row whose text sorts after line's
        const int middle = low + (high - low) / 2;
        if (text < FromCp1252(Line(middle))) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return low;
}

int ListLinesModel::Add(std::string_view line) {
    const int row = sorted_ ? SortedRow(line) : Count();
    beginInsertRows(QModelIndex(), row, row);
    const std::size_t at = Begin(row);
    bytes_.insert(at, line);
    ends_.insert(ends_.begin() + row, at);
    for (auto end = ends_.begin() + row; end != ends_.end(); ++end) *end += line.size();
    endInsertRows();
    return row;
}

void ListLinesModel::Add(const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    if (sorted_) {
        for (const std::string& line : lines) Add(line);
        return;
    }
    const int first = Count();
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(lines.size()) - 1);
    std::size_t total = bytes_.size();
    for (const std::string& line : lines) total += line.size();
    // Lines come in batches: the buffers grow by doubling, not batch by batch.
    if (total > bytes_.capacity()) bytes_.reserve(std::max(total, 2 * bytes_.capacity()));
    if (ends_.size() + lines.size() > ends_.capacity()) {
        ends_.reserve(std::max(ends_.size() + lines.size(), 2 * ends_.capacity()));
    }
    for (const std::string& line : lines) {
        bytes_.append(line);
        ends_.push_back(bytes_.size());
    }
    endInsertRows();
}

void ListLinesModel::Remove(int first, int count) {
    first = std::max(first, 0);
    const int last = std::min(first + count, Count()) - 1;
    if (last < first) return;
    beginRemoveRows(QModelIndex(), first, last);
    const std::size_t begin = Begin(first);
    const std::size_t removed = ends_[last] - begin;
    bytes_.erase(begin, removed);
    ends_.erase(ends_.begin() + first, ends_.begin() + last + 1);
    for (auto end = ends_.begin() + first; end != ends_.end(); ++end) *end -= removed;
    endRemoveRows();
}

void ListLinesModel::Clear() {
    beginResetModel();
    bytes_.clear();
    bytes_.shrink_to_fit();
    ends_.clear();
    ends_.shrink_to_fit();
    endResetModel();
}

}  // namespace framework
