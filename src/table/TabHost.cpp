#include "TabHost.h"

TabHost::TabHost(QWidget* parent) : QTabWidget(parent)
{
    setDocumentMode(true);
}

bool TabHost::AddView(const QString& caption, QWidget* view)
{
    return view && addTab(view, caption) >= 0;
}
