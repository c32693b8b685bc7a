// The Results table model.
#include "app/solution_table_model.h"

#include "app/qt_text.h"
#include "platform/number_text.h"

void TSolutionTableModel::SetSolution(const TSolution* solution, const QString& solvedName) {
    beginResetModel();
    FRows = solution ? solution->Shown() : std::vector<TFinding>{};
    FSolvedName = solvedName;
    endResetModel();
}

int TSolutionTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(FRows.size());
}

int TSolutionTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant TSolutionTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const TFinding& finding = Finding(index.row());
    if (role == Qt::TextAlignmentRole) {
        const bool number =
            index.column() == 1 || (index.column() == 2 && finding.Point.Message.empty());
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
    case 0: {
        const std::string_view name = FindingKindName(finding.Kind);
        return FromStd(name);
    }
    case 1:
        return NumberText(finding.Point.X);
    default:
        return QString::fromStdString(finding.Point.Message.empty()
                                          ? FormatResult(finding.Point.Value)
                                          : "error: " + finding.Point.Message);
    }
}

QVariant TSolutionTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return section == 0   ? QStringLiteral("Finding")
           : section == 1 ? FSolvedName
                          : QStringLiteral("F");
}
