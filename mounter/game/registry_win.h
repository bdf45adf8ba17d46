// The game client's registry entries, HKLM\Software\Tencent\LOL, read from the 32-bit view of
// the registry (KEY_WOW64_32KEY), which is what the shipped 32-bit program sees; so the 64-bit
// build reads the same values.
#pragma once

#include "game/game_directory.h"

class Win32GameRegistry : public GameRegistry {
public:
    RegistryValues read() override;
};
