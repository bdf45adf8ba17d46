// A program directory in a fresh temporary folder, with the test doubles wired into the context
// the skin operations work through.
#pragma once

#include "skins/skin_store.h"
#include "support/fakes.h"
#include "support/temp_dir.h"

struct FakeProgram {
    TempDir dir;
    TableSkinList list;
    ScriptedUi ui;
    MemoryConfig config;
    FixedRegistry registry;
    MounterContext ctx{dir.path(), list, ui, config, registry};
};
