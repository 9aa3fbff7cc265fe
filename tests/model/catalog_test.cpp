#include <gtest/gtest.h>

#include "model/catalog.h"
