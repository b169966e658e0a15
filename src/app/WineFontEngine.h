#pragma once

// Under Wine, Qt's GDI font engine leaves the text of line edits undrawn (labels and buttons
// show, fields look empty); its FreeType engine draws it. Chosen before the application exists,
// only under Wine and only where no platform was asked for.
void chooseFontEngineUnderWine();
