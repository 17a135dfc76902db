#pragma once
// The GBK byte helpers live below core and platform, in base/Gbk.hpp.

#include "base/Gbk.hpp"
