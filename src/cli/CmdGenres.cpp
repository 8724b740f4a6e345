// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>

#include "cli/CliInput.h"
#include "cli/Commands.h"
#include "model/GenreTable.h"

int RunGenres(const SCliInput& /*input*/) {
    for (int genre = 0; genre < kGenreCount; ++genre)
        std::printf("%d\t%s\n", genre, GenreName(genre).c_str());
    return std::fflush(stdout) == 0 ? 0 : 1;
}
