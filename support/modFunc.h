#pragma once

// The support routines both windows work through, gathered in one include: each file of
// support/ declares its own, with what it promises. Stateless: every path is built afresh. Text
// is UTF-8; where a routine counts characters, it counts Unicode characters, not bytes.
#include "support/file_presence.h"
#include "support/folder_listing.h"
#include "support/path_strings.h"
#include "support/program_folder.h"
#include "support/settings_file.h"
#include "support/sound_and_editor.h"
#include "support/start_program.h"
