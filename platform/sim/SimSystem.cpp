#include "platform/sim/SimSystem.hpp"

#include "base/Gbk.hpp"

namespace velarion {

namespace {

// ASCII letters in lower case; double-byte characters stay as they are.
std::string folded(const std::string& text) {
    std::string out = text;
    for (std::size_t i = 0; i < out.size(); ++i) {
        auto byte = static_cast<unsigned char>(out[i]);
        if (gbk::isLeadByte(byte)) {
            ++i;
        } else if (byte >= 'A' && byte <= 'Z') {
            out[i] = static_cast<char>(byte + 32);
        }
    }
    return out;
}

struct SplitPath {
    std::string keyPath, valueName;
};

SplitPath splitRegistryPath(const std::string& fullPath) {
    std::size_t last = gbk::findLastAscii(fullPath, '\\');
    if (last == std::string::npos) return {"", fullPath};
    return {fullPath.substr(0, last), fullPath.substr(last + 1)};
}

// Days from 1970-01-01 of a civil date, and back (proleptic Gregorian calendar).
long long daysFromCivil(long long year, int month, int day) {
    year -= month <= 2;
    long long era = (year >= 0 ? year : year - 399) / 400;
    long long yearOfEra = year - era * 400;
    long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void civilFromDays(long long days, int& year, int& month, int& day) {
    days += 719468;
    long long era = (days >= 0 ? days : days - 146096) / 146097;
    long long dayOfEra = days - era * 146097;
    long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    long long mp = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
}

long long floorDivide(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

// ---- Files

std::string SimSystem::resolvePath(const std::string& path) const {
    bool relative = path.find(':') == std::string::npos && gbk::findLastAscii(path, '\\') == std::string::npos;
    if (!relative) return path;
    std::string directory = currentDirectory;
    if (!directory.empty() && gbk::findLastAscii(directory, '\\') != directory.size() - 1) directory += '\\';
    return directory + path;
}

void SimSystem::putFile(const std::string& path, std::string bytes) {
    std::string full = resolvePath(path);
    auto [it, inserted] = files_.try_emplace(folded(full), StoredFile{full, {}});
    it->second.bytes = std::move(bytes);
}

std::optional<std::string> SimSystem::file(const std::string& path) const {
    auto it = files_.find(folded(resolvePath(path)));
    if (it == files_.end()) return std::nullopt;
    return it->second.bytes;
}

void SimSystem::removeFile(const std::string& path) { files_.erase(folded(resolvePath(path))); }

std::vector<std::string> SimSystem::filePaths() const {
    std::vector<std::string> paths;
    for (const auto& [key, stored] : files_) paths.push_back(stored.path);
    return paths;
}

bool SimSystem::writeFails(const std::string& path) const {
    if (failAllWrites) return true;
    std::string wanted = folded(resolvePath(path));
    for (const std::string& failing : failWritesTo)
        if (folded(resolvePath(failing)) == wanted) return true;
    return false;
}

bool SimSystem::setCurrentDirectory(const std::string& directory) {
    directoryChanges.push_back(directory);
    if (!setCurrentDirectoryResult) return false;
    currentDirectory = directory;
    return true;
}

namespace {

// A copy of the file's bytes, counted among the reads held of that file while it lives.
class HeldRead final : public FileKeeper {
public:
    HeldRead(std::string bytes, std::shared_ptr<int> share) : bytes(std::move(bytes)), share_(std::move(share)) {}
    const std::string bytes;

private:
    std::shared_ptr<int> share_;
};

}  // namespace

FileContents SimSystem::readWholeFile(const std::string& path) {
    ++wholeFileReads;
    std::string wanted = folded(resolvePath(path));
    for (const std::string& failing : unreadable)
        if (folded(resolvePath(failing)) == wanted) return {FileReadStatus::Failed, {}, nullptr};
    auto it = files_.find(wanted);
    if (it == files_.end()) return {FileReadStatus::Missing, {}, nullptr};
    std::shared_ptr<int>& share = heldReads_[wanted];
    if (!share) share = std::make_shared<int>();
    auto held = std::make_unique<HeldRead>(it->second.bytes, share);
    const std::string_view bytes = held->bytes;
    return {FileReadStatus::Ok, bytes, std::move(held)};
}

bool SimSystem::replaceFileWith(const std::string& path, std::span<const std::string_view> pieces,
                                FileContents source) {
    std::string bytes;
    for (const std::string_view piece : pieces) bytes += piece;
    source = {};
    if (path.empty() || writeFails(path)) return false;
    const auto held = heldReads_.find(folded(resolvePath(path)));
    if (held != heldReads_.end() && held->second.use_count() > 1) return false;
    putFile(path, std::move(bytes));
    ++replacements;
    return true;
}

// ---- Registry

SimSystem::KeyId SimSystem::keyId(RegistryRoot root, const std::string& keyPath) {
    return {static_cast<int>(root), folded(keyPath)};
}

bool SimSystem::registryKeyExists(RegistryRoot root, const std::string& keyPath) const {
    return keyPath.empty() || keys_.count(keyId(root, keyPath)) != 0;
}

void SimSystem::putRegistryKey(RegistryRoot root, const std::string& keyPath) {
    // The key and every key above it.
    for (std::size_t at = 0; at != std::string::npos;) {
        std::size_t next = keyPath.find('\\', at);
        std::string prefix = keyPath.substr(0, next);
        // Only real backslashes end a key name.
        if (next == std::string::npos || gbk::findLastAscii(keyPath.substr(0, next + 1), '\\') == next) {
            if (!prefix.empty()) keys_.try_emplace(keyId(root, prefix), RegistryKey{prefix, {}});
        }
        at = next == std::string::npos ? next : next + 1;
    }
}

std::optional<std::string> SimSystem::registryText(RegistryRoot root, const std::string& fullPath) const {
    SplitPath split = splitRegistryPath(fullPath);
    auto key = keys_.find(keyId(root, split.keyPath));
    if (key == keys_.end()) return std::nullopt;
    auto value = key->second.values.find(folded(split.valueName));
    if (value == key->second.values.end()) return std::nullopt;
    return value->second.second;
}

std::size_t SimSystem::registryValueCount() const {
    std::size_t count = 0;
    for (const auto& [id, key] : keys_) count += key.values.size();
    return count;
}

bool SimSystem::writeRegistryText(RegistryRoot root, const std::string& fullPath, const std::string& text) {
    if (refuses(root)) return false;
    SplitPath split = splitRegistryPath(fullPath);
    putRegistryKey(root, split.keyPath);
    // Values directly under the root live in the key with the empty path.
    RegistryKey& key = keys_.try_emplace(keyId(root, split.keyPath), RegistryKey{split.keyPath, {}}).first->second;
    key.values[folded(split.valueName)] = {split.valueName, text};
    return true;
}

bool SimSystem::deleteRegistryItem(RegistryRoot root, const std::string& fullPath) {
    if (refuses(root)) return false;
    SplitPath split = splitRegistryPath(fullPath);
    auto key = keys_.find(keyId(root, split.keyPath));
    if (key != keys_.end() && key->second.values.erase(folded(split.valueName)) != 0) return true;

    // No value deleted: the whole path names a key.
    if (fullPath.empty()) return false;
    auto named = keys_.find(keyId(root, fullPath));
    if (named == keys_.end()) return false;
    std::string prefix = named->first.second + "\\";
    for (const auto& [id, other] : keys_)
        if (id.first == named->first.first && id.second.starts_with(prefix)) return false;  // has subkeys
    keys_.erase(named);
    return true;
}

bool SimSystem::writeRegistryProgramPath(RegistryRoot root, const std::string& fullPath) {
    return writeRegistryText(root, fullPath, "\"" + executable.directory + "\\" + executable.fileName + "\"");
}

// ---- Processes, power, feedback

bool SimSystem::runProgram(const std::string& commandLine) {
    launches.push_back(commandLine);
    return launchResult;
}

bool SimSystem::shutDownSystem(int mode, bool force) {
    shutdowns.push_back({mode, force});
    return shutdownResult;
}

int SimSystem::showMessageBox(const std::string& text, unsigned flags, const std::string& title) {
    messageBoxes.push_back({text, flags, title});
    if (modalHook) modalHook();
    if (messageBoxAnswers.empty()) return defaultMessageBoxAnswer;
    int answer = messageBoxAnswers.front();
    messageBoxAnswers.pop_front();
    return answer;
}

bool SimSystem::openFileDialog(const std::string& filter, unsigned flags, std::string& fileName) {
    fileDialogs.push_back({filter, fileName, flags});
    if (modalHook) modalHook();
    if (fileDialogAnswers.empty()) return false;
    std::optional<std::string> answer = fileDialogAnswers.front();
    fileDialogAnswers.pop_front();
    if (!answer) return false;
    fileName = *answer;
    return true;
}

void SimSystem::showAboutBox(const std::string& applicationName, const std::string& otherText) {
    aboutBoxes.push_back({applicationName, otherText});
    if (modalHook) modalHook();
}

// ---- Time

void SimSystem::setClock(const LocalClock& now) {
    baseClock_ = now;
    clockOriginMs_ = nowMs;
}

LocalClock SimSystem::readLocalClock() {
    const LocalClock& base = baseClock_;
    long long seconds = daysFromCivil(base.year, base.month, base.day) * 86400 + base.hour * 3600LL +
                        base.minute * 60LL + base.second + floorDivide(nowMs - clockOriginMs_, 1000);
    long long days = floorDivide(seconds, 86400);
    long long inDay = seconds - days * 86400;
    LocalClock clock;
    civilFromDays(days, clock.year, clock.month, clock.day);
    clock.hour = static_cast<int>(inDay / 3600);
    clock.minute = static_cast<int>(inDay / 60 % 60);
    clock.second = static_cast<int>(inDay % 60);
    return clock;
}

void SimSystem::waitWithEvents(int milliseconds) {
    waits.push_back(milliseconds);
    if (milliseconds <= 0) return;
    if (waitHook) {
        waitHook(milliseconds);
    } else {
        nowMs += milliseconds + 1;
    }
}

}  // namespace velarion
