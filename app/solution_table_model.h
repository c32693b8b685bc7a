// The Results table of the plot window: each root, touching root and pole or jump
// by x, then the minimum and the maximum, with x and F written as the result box
// writes numbers.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "session/solver.h"

class TSolutionTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows this solution (copied); names the x column after the solved variable.
    void SetSolution(const TSolution* solution, const QString& solvedName);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const TFinding& Finding(int row) const { return FRows[static_cast<std::size_t>(row)]; }

private:
    std::vector<TFinding> FRows;
    QString FSolvedName;
};
