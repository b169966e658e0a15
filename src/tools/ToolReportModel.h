#pragma once

#include "ToolListCodec.h"
#include "core/ToolEntry.h"

#include <QStandardItemModel>

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

    // The caption of value column 0 to 9.
    static QString valueCaption(int column);

private:
    void renumber();

    ToolListCodec m_codec;
};
