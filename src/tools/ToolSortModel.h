#pragma once

#include <QSortFilterProxyModel>

// The tool report as its header sorts it: numbers by value ("8000" before "20000"), other texts
// as text, numbers before texts.
class ToolSortModel : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};
