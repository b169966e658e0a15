#pragma once

#include "core/toollist/ToolEntry.h"
#include "desktop/ToolListCodec.h"

#include <QStandardItemModel>

#include <optional>
#include <utility>
#include <vector>

// The tools shown in the tool settings dialog, in the order they were loaded and added: a row
// number, then the ten values. A value that was not edited is written back byte for byte.
class ToolReportModel : public QStandardItemModel
{
    Q_OBJECT

public:
    explicit ToolReportModel(QObject* parent = nullptr);

    void setTools(const std::vector<ToolEntry>& tools, const ToolListCodec& codec);
    void appendTool(const ToolEntry& tool);
    void removeTool(int row);
    std::vector<ToolEntry> tools() const;
    // Refuses a value that the list's column cannot hold: a number column takes a number or
    // nothing.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The first value (row, value column) that the list's encoding cannot write as it is shown.
    std::optional<std::pair<int, int>> unencodableValue() const;
    // The first tool number (as shown) that stands in two rows; "T01" and "1" are one number.
    std::optional<QString> repeatedToolNumber() const;

    // The caption of value column 0 to 9.
    static QString valueCaption(int column);
    // Whether value column 0 to 9 holds a number.
    static bool isNumberColumn(int column);
    // The value of a tool number, "T01" as 1; nothing when it names no number.
    static std::optional<long long> toolNumberValue(const QString& text);

signals:
    // An edit in place was refused: the value does not suit its column.
    void valueRefused(int row, int column, const QString& text);

private:
    void renumber();

    ToolListCodec m_codec;
};
