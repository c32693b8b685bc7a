// The table of a sweep's points for the plot window: x and F (or the message of a
// failed point), written as the result box writes numbers. Read-only, as cheap per
// row as the points themselves, so a million rows stay light.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "session/sweep.h"

class TSweepTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows these points; names the columns after the swept variable and "F".
    void SetPoints(const std::vector<TSweepPoint>* points, const QString& sweptName);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The two texts of row i, as the table shows them.
    QString XText(int row) const;
    QString ValueText(int row) const;

private:
    const std::vector<TSweepPoint>* FPoints = nullptr; // not owned
    QString FSweptName;
};
