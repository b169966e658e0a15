#include "GuiTestEnvironment.h"

GuiTestEnvironment::GuiTestEnvironment()
{
    Platform::install(&platform);
}

GuiTestEnvironment::~GuiTestEnvironment()
{
    Platform::install(nullptr);
}
