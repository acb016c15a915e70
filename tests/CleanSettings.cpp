// Linked into every test program: before anything else runs, the program gets a
// configuration folder and home folder of its own, new and empty, and removes them as
// it ends. A test program run by hand, twice or after another, then starts from the
// same clean settings as under CTest, whatever an earlier run left behind.

#include <filesystem>
#include <stdlib.h>
#include <string>
#include <system_error>

namespace {

class CleanSettings
{
public:
    CleanSettings()
    {
        const char* tmp = getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/talvo-settings.XXXXXX";
        if (!mkdtemp(pattern.data()))
            return;
        m_root = pattern;
        std::error_code ignored;
        std::filesystem::create_directories(m_root / "config", ignored);
        std::filesystem::create_directories(m_root / "home", ignored);
        // QSettings reads the first; QStandardPaths' test mode puts settings in the second.
        setenv("XDG_CONFIG_HOME", (m_root / "config").c_str(), 1);
        setenv("HOME", (m_root / "home").c_str(), 1);
    }
    ~CleanSettings()
    {
        std::error_code ignored;
        if (!m_root.empty())
            std::filesystem::remove_all(m_root, ignored);
    }
    CleanSettings(const CleanSettings&) = delete;
    CleanSettings& operator=(const CleanSettings&) = delete;

private:
    std::filesystem::path m_root;
};

const CleanSettings cleanSettings;

} // namespace
