#pragma once
// The lines of a list box, held as Windows-1252 bytes in one buffer and shown
// through a model: a list of any length costs one buffer and an offset per
// line, with no item object per line for the view or for assistive tools
// (which ask the model for the lines they show). Texts are converted for the
// screen only when a line is drawn or read.

#include <QAbstractListModel>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace framework {

class ListLinesModel : public QAbstractListModel {
    Q_OBJECT
public:
    // A sorted model keeps its lines in the order of their shown texts; an
    // unsorted one in the order they were added.
    ListLinesModel(QObject* parent, bool sorted);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    int Count() const { return static_cast<int>(ends_.size()); }
    // The line's bytes, valid until the next change; empty for a row that
    // does not exist.
    std::string_view Line(int row) const;
    // Adds a line (at the end, or at its place when sorted); returns its row.
    int Add(std::string_view line);
    // Adds many lines at the end in one batch (one by one when sorted).
    void Add(const std::vector<std::string>& lines);
    // Removes count lines from row first on; rows out of range are ignored.
    void Remove(int first, int count);
    void Clear();

private:
    std::size_t Begin(int row) const { return row == 0 ? 0 : ends_[row - 1]; }
    int SortedRow(std::string_view line) const;

    bool sorted_;
    std::string bytes_;              // every line, one after another
    std::vector<std::size_t> ends_;  // where each line ends in bytes_
};

}  // namespace framework
