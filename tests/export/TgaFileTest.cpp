#include "export/TgaFile.h"

#include <gtest/gtest.h>
