#include "ToolSortModel.h"

bool ToolSortModel::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const QString leftText = left.data().toString();
    const QString rightText = right.data().toString();
    bool leftIsNumber = false;
    bool rightIsNumber = false;
    const double leftNumber = leftText.toDouble(&leftIsNumber);
    const double rightNumber = rightText.toDouble(&rightIsNumber);
    if (leftIsNumber && rightIsNumber)
        return leftNumber < rightNumber;
    if (leftIsNumber != rightIsNumber)
        return leftIsNumber;
    return leftText < rightText;
}
