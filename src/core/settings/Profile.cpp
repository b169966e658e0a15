// The store the settings live in, entry by entry.

#include "Profile.h"

#include "Settings.h"

namespace {
Profile* g_installedProfile = nullptr;
}

Profile* installedProfile()
{
    return g_installedProfile;
}

ProfileInstallation::ProfileInstallation(Profile& profile) : m_previous(g_installedProfile)
{
    g_installedProfile = &profile;
}

ProfileInstallation::~ProfileInstallation()
{
    ReleaseSettings();
    g_installedProfile = m_previous;
}
