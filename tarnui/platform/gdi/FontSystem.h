#pragma once

#include <pango/pangocairo.h>

#include <cstddef>
#include <map>
#include <mutex>
#include <string>
#include <vector>

typedef struct _FcConfig FcConfig;

namespace tarn {

// One face of a font file: its first family name, weight (100..1000) and whether it is italic.
struct FaceInfo {
    std::string family;
    int weight = 400;
    bool italic = false;
};

// The process's fontconfig configuration, Pango font map and application fonts. Pango and
// fontconfig objects are not thread-safe, so every use of them holds Lock().
class FontSystem {
public:
    static FontSystem& Get();

    std::unique_lock<std::recursive_mutex> Lock() { return std::unique_lock(m_mutex); }

    // Need the lock.
    PangoContext* Context();
    // True when fontconfig lists a face of exactly this family: no substitution.
    bool HasFamily(const std::string& family);
    // Adds a font file (or bytes kept in an anonymous file) for this process; 0 when it holds no
    // font. The faces found are appended to faces.
    int AddFile(const std::string& path, std::vector<FaceInfo>* faces);
    int AddMemory(const void* data, size_t size, std::vector<FaceInfo>* faces);
    bool Remove(int token);

private:
    FontSystem();
    void Changed();

    struct AppFont {
        std::string path;
        int fd = -1;
    };

    std::recursive_mutex m_mutex;
    FcConfig* m_config = nullptr;
    PangoFontMap* m_map = nullptr;
    PangoContext* m_context = nullptr;
    std::map<int, AppFont> m_appFonts;
    int m_nextToken = 0;
};

} // namespace tarn
