#pragma once

#include <QTabWidget>

// A flat tab strip whose pages are views.
class TabHost : public QTabWidget
{
    Q_OBJECT

public:
    explicit TabHost(QWidget* parent = nullptr);

    bool AddView(const QString& caption, QWidget* view);
};
