// The points table model.
#include "app/sweep_table_model.h"

#include "app/qt_text.h"
#include "platform/number_text.h"

void TSweepTableModel::SetPoints(const std::vector<TSweepPoint>* points, const QString& sweptName) {
    beginResetModel();
    FPoints = points;
    FSweptName = sweptName;
    endResetModel();
}

int TSweepTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !FPoints ? 0 : static_cast<int>(FPoints->size());
}

int TSweepTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QString TSweepTableModel::XText(int row) const {
    return NumberText((*FPoints)[static_cast<std::size_t>(row)].X);
}

QString TSweepTableModel::ValueText(int row) const {
    const TSweepPoint& point = (*FPoints)[static_cast<std::size_t>(row)];
    return QString::fromStdString(point.Message.empty() ? FormatResult(point.Value)
                                                        : "error: " + point.Message);
}

QVariant TSweepTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    // numbers line up at the right, as in a spreadsheet; a message reads from the left
    if (role == Qt::TextAlignmentRole) {
        const bool number = index.column() == 0 ||
                            (*FPoints)[static_cast<std::size_t>(index.row())].Message.empty();
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role != Qt::DisplayRole) return {};
    return index.column() == 0 ? XText(index.row()) : ValueText(index.row());
}

QVariant TSweepTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return section == 0 ? FSweptName : QStringLiteral("F");
}
