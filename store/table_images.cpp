#include "store/table_images.h"

PlaylistTable g_workingTable;
PlaylistTable g_scanResultTable;
PlaylistTable g_randomPlayTable;
std::atomic<uint32_t> g_entryCount{0};
