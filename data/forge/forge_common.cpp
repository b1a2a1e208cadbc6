// What every forge program shares: the list of registered jobs and the
// folders of the Debian fonts.
#include <cstdio>

#include "data/forge/forge.h"

namespace forge {

std::vector<NamedJob>& RegisteredJobs() {
    static std::vector<NamedJob> jobs;
    return jobs;
}

JobRegistrar::JobRegistrar(const char* name, Job job) { RegisteredJobs().push_back({name, std::move(job)}); }

std::string SystemFontPath(const std::string& file) {
    static const char* folders[] = {"/usr/share/fonts/truetype/dejavu/",
                                    "/usr/share/fonts/truetype/liberation2/",
                                    "/usr/share/fonts/truetype/liberation/"};
    for (const char* folder : folders) {
        std::string path = std::string(folder) + file;
        if (FILE* f = fopen(path.c_str(), "rb")) {
            fclose(f);
            return path;
        }
    }
    return file;
}

}  // namespace forge
