#pragma once
// The practice site helper of the shared test support.
#include "support/SiteProcess.h"
