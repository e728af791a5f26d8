#pragma once
// The characters chapter's reset that DF calls.

namespace kavor {

struct Engine;

// The DL default: every download slot empty.
void clear_download_table(Engine& e);

}  // namespace kavor
