#include "support/qt_test_main.h"

ZELM_QT_TEST_MAIN()
