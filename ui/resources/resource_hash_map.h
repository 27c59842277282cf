#pragma once
// The table behind every window resource (images, fonts, default attribute
// lists, styles): 83 buckets keyed by text, the entry found last moved to the
// front of its bucket so a window's frequent names stay cheap to find.

#include <array>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <string_view>

namespace zui {

template <typename T>
class CResourceHashMap {
 public:
  static constexpr size_t kBuckets = 83;

  // h = h * 33 + code, over the characters from the last to the first.
  static uint32_t Hash(std::wstring_view key) {
    uint32_t h = 0;
    for (size_t i = key.size(); i-- > 0;) h = h * 33 + static_cast<uint32_t>(key[i]);
    return h;
  }
  static size_t BucketOf(std::wstring_view key) { return Hash(key) % kBuckets; }

  T* Find(std::wstring_view key) {
    auto& bucket = buckets_[BucketOf(key)];
    for (auto it = bucket.begin(); it != bucket.end(); ++it) {
      if (it->key == key) {
        if (it != bucket.begin()) bucket.splice(bucket.begin(), bucket, it);
        return bucket.front().value.get();
      }
    }
    return nullptr;
  }

  // Stores `value` under `key`. An entry already there is freed and replaced
  // when `replace` is set; otherwise it stays, `value` is dropped and the
  // result is null.
  T* Insert(std::wstring_view key, std::unique_ptr<T> value, bool replace) {
    if (value == nullptr) return nullptr;
    auto& bucket = buckets_[BucketOf(key)];
    for (auto it = bucket.begin(); it != bucket.end(); ++it) {
      if (it->key == key) {
        if (!replace) return nullptr;
        it->value = std::move(value);
        bucket.splice(bucket.begin(), bucket, it);
        return bucket.front().value.get();
      }
    }
    bucket.push_front(Entry{std::wstring(key), std::move(value)});
    ++size_;
    return bucket.front().value.get();
  }

  bool Remove(std::wstring_view key) {
    auto& bucket = buckets_[BucketOf(key)];
    for (auto it = bucket.begin(); it != bucket.end(); ++it) {
      if (it->key == key) {
        bucket.erase(it);
        --size_;
        return true;
      }
    }
    return false;
  }

  void Clear() {
    for (auto& bucket : buckets_) bucket.clear();
    size_ = 0;
  }
  size_t Size() const { return size_; }

  // Calls `visit(key, value)` for every entry.
  template <class Visit>
  void ForEach(Visit visit) {
    for (auto& bucket : buckets_) {
      for (Entry& entry : bucket) visit(std::wstring_view(entry.key), *entry.value);
    }
  }

  // The key at the front of a bucket, "" when it is empty.
  std::wstring_view FrontKey(size_t bucket) const {
    return buckets_[bucket].empty() ? std::wstring_view() : std::wstring_view(buckets_[bucket].front().key);
  }

 private:
  struct Entry {
    std::wstring key;
    std::unique_ptr<T> value;
  };
  std::array<std::list<Entry>, kBuckets> buckets_;
  size_t size_ = 0;
};

}  // namespace zui
