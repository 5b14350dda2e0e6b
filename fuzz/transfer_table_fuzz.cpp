// A transfer run over any kPlayLst.dat: it must end, stay inside its
// buffers, save the table, and leave no temporary file in kMp3. The run
// works in a private folder under /tmp whose kMp3 is emptied every input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "store/playlist_entry.h"
#include "store/playlist_file.h"
#include "transfer/transfer_job.h"

namespace {

char g_workFolder[] = "/tmp/kobaru-fuzz-XXXXXX";

void RemoveWorkFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(g_workFolder, ignored);
}

// Makes the folder once: a tiny song "s.mp3" that entries may name, kMp3,
// and the folder as the current one. It goes when the fuzzer exits.
void EnterWorkFolder() {
  static bool entered = false;
  if (entered) return;
  if (mkdtemp(g_workFolder) == nullptr || chdir(g_workFolder) != 0) std::abort();
  std::atexit(RemoveWorkFolder);
  std::ofstream("s.mp3") << "song";
  entered = true;
}

void ResetTarget() {
  std::error_code ignored;
  std::filesystem::remove_all("kMp3", ignored);
  std::filesystem::create_directory("kMp3");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterWorkFolder();
  ResetTarget();
  if (size > TABLE_BYTES) size = TABLE_BYTES;
  std::ofstream(PLAYLIST_FILE_NAME, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  static Playlist* playlist = new Playlist;  // the owners, once for the whole run
  static TransferJob* transfer = new TransferJob(*playlist);
  if (transfer->RunHere(1920) != 0) std::abort();  // the file was readable and writable
  for (const auto& copy : std::filesystem::directory_iterator("kMp3")) {
    if (copy.path().filename().string().rfind(".kobaru-partial-", 0) == 0) std::abort();
  }
  return 0;
}
