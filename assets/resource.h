#pragma once
// Resource identifiers shared by the resource script and the window layer.
#define IDI_VELARION 1
#define IDR_BUSY_GIF 201
