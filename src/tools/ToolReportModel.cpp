#include "ToolReportModel.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kBytesRole = Qt::UserRole + 1; // the value as read
constexpr int kShownRole = Qt::UserRole + 2; // its text as first shown

QStringList captions()
{
    return {ToolReportModel::tr("번호"),       ToolReportModel::tr("공구 번호"),
            ToolReportModel::tr("공구 정보"),  ToolReportModel::tr("최소 공차"),
            ToolReportModel::tr("최대 공차"),  ToolReportModel::tr("절삭류"),
            ToolReportModel::tr("Spindle"),    ToolReportModel::tr("Feed"),
            ToolReportModel::tr("Dwell time"), ToolReportModel::tr("측정 여부"),
            ToolReportModel::tr("DL")};
}

} // namespace

ToolReportModel::ToolReportModel(QObject* parent) : QStandardItemModel(0, 11, parent)
{
    setHorizontalHeaderLabels(captions());
}

QString ToolReportModel::valueCaption(int column)
{
    return captions().at(column + 1);
}

bool ToolReportModel::isNumberColumn(int column)
{
    // Tolerances, spindle, feed, dwell time and DL.
    return column == 2 || column == 3 || column == 5 || column == 6 || column == 7 || column == 9;
}

std::optional<long long> ToolReportModel::toolNumberValue(const QString& text)
{
    QString digits = text.trimmed();
    if (digits.startsWith(u'T', Qt::CaseInsensitive))
        digits.remove(0, 1);
    bool ok = false;
    const long long value = digits.toLongLong(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

bool ToolReportModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    const int column = index.column() - 1;
    if (role == Qt::EditRole && column >= 0 && isNumberColumn(column)) {
        const QString text = value.toString().trimmed();
        bool number = false;
        text.toDouble(&number);
        if (!text.isEmpty() && !number) {
            emit valueRefused(index.row(), column, value.toString());
            return false;
        }
    }
    return QStandardItemModel::setData(index, value, role);
}

std::optional<std::pair<int, int>> ToolReportModel::unencodableValue() const
{
    for (int row = 0; row < rowCount(); ++row)
        for (int value = 0; value < ToolEntry::kValueCount; ++value) {
            const QStandardItem* cell = item(row, value + 1);
            const QString text = cell->text();
            // A value as read is written back as its bytes: only edits need encoding.
            if (text != cell->data(kShownRole).toString() &&
                m_codec.decode(m_codec.encode(text)) != text)
                return std::pair(row, value);
        }
    return std::nullopt;
}

std::optional<QString> ToolReportModel::repeatedToolNumber() const
{
    QList<long long> numbers;
    QStringList texts;
    for (int row = 0; row < rowCount(); ++row) {
        const QString text = item(row, 1)->text().trimmed();
        if (const std::optional<long long> number = toolNumberValue(text)) {
            if (numbers.contains(*number))
                return text;
            numbers.append(*number);
        } else if (!text.isEmpty()) {
            if (texts.contains(text))
                return text;
            texts.append(text);
        }
    }
    return std::nullopt;
}

void ToolReportModel::setTools(const std::vector<ToolEntry>& tools, const ToolListCodec& codec)
{
    removeRows(0, rowCount());
    m_codec = codec;
    for (const ToolEntry& tool : tools)
        appendTool(tool);
}

void ToolReportModel::appendTool(const ToolEntry& tool)
{
    QList<QStandardItem*> row{new QStandardItem(QString::number(rowCount() + 1))};
    for (const std::string& value : tool.values) {
        auto* item = new QStandardItem(m_codec.decode(value));
        item->setData(QByteArray::fromStdString(value), kBytesRole);
        item->setData(item->text(), kShownRole);
        row.append(item);
    }
    appendRow(row);
}

void ToolReportModel::removeTool(int row)
{
    removeRow(row);
    renumber();
}

void ToolReportModel::renumber()
{
    for (int row = 0; row < rowCount(); ++row)
        item(row, 0)->setText(QString::number(row + 1));
}

std::vector<ToolEntry> ToolReportModel::tools() const
{
    std::vector<ToolEntry> tools(static_cast<std::size_t>(rowCount()));
    for (int row = 0; row < rowCount(); ++row)
        for (int value = 0; value < ToolEntry::kValueCount; ++value) {
            const QStandardItem* cell = item(row, value + 1);
            tools[row].values[value] = cell->text() == cell->data(kShownRole).toString()
                                           ? cell->data(kBytesRole).toByteArray().toStdString()
                                           : m_codec.encode(cell->text());
        }
    return tools;
}
