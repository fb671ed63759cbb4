#include "core/model/record_image.h"

#include <algorithm>

namespace quindle::model::detail {

void BlankImage(std::span<char> image) {
    std::fill(image.begin(), image.end(), ' ');
}

bool CopyRecord(std::span<char> image, std::string_view record) {
    const size_t length = image.size();
    const size_t lineLength = length - static_cast<size_t>(store::layout::kLineEndLength);
    const bool exact = record.size() == length || record.size() == lineLength;
    // The line end comes from the image, not from the input: a stored line has
    // none, and a damaged record must not leave stray bytes in its place.
    const size_t n = std::min(record.size(), lineLength);
    std::copy_n(record.data(), n, image.data());
    std::fill(image.begin() + static_cast<std::ptrdiff_t>(n),
              image.begin() + static_cast<std::ptrdiff_t>(lineLength), ' ');
    image[lineLength] = '\r';
    image[lineLength + 1] = '\n';
    return exact;
}

bool IsBlankImage(std::span<const char> image) {
    return std::all_of(image.begin(), image.end(), [](char c) { return c == ' '; });
}

}  // namespace quindle::model::detail
