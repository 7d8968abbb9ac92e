// Tests of Download, Test, Set Port, the Help menu, Key Labels and About.
#include "MainWindowFixture.h"
