// Tests of the file commands: New, Open, Save, Save As and the close query.
#include "MainWindowFixture.h"
