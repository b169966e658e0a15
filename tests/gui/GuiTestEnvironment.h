#pragma once

#include "FakePlatform.h"
#include "MemoryProfile.h"

// An empty in-memory profile and the fake desktop, installed for the environment's lifetime.
class GuiTestEnvironment
{
public:
    GuiTestEnvironment();
    ~GuiTestEnvironment();

    GuiTestEnvironment(const GuiTestEnvironment&) = delete;
    GuiTestEnvironment& operator=(const GuiTestEnvironment&) = delete;

    MemoryProfile profile;
    FakePlatform platform;

private:
    ProfileInstallation m_installation{profile};
};
