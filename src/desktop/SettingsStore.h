#pragma once

class QWidget;

// Stores the shared settings record now, so that a crash loses nothing; a store that cannot be
// written is reported, never passed over. False when it was not stored.
bool storeSettings(QWidget* parent);
