#pragma once
// The file helpers of the scoring tests.
#include "support/TestFiles.h"

using pravik::test::ReadHostFile;
using pravik::test::WriteHostFile;
