// PNG pictures for controls: the picture object, the store of named picture
// slots with the view bound to one slot, and the list of 24 x 24 button icons.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "components/Collection.h"
#include "components/Component.h"
#include "platform/Files.h"
#include "toolkit/controls/Control.h"

namespace tallow {

// Reads a picture file whole, refusing one larger than the decoder takes
// (kMaxPngFileSize) before reading it.
TFileRead ReadPictureFile(const std::string& path);

// A decoded picture: premultiplied 32-bit BGRA.
class TPngImage {
  public:
    int Width() const { return Resolved().width_; }
    int Height() const { return Resolved().height_; }
    bool Empty() const { return Resolved().pixels_.empty(); }
    TBitmapView View() const {
        const TPngImage& r = Resolved();
        return {r.width_, r.height_, r.pixels_.empty() ? nullptr : r.pixels_.data()};
    }
    const std::vector<uint8_t>& Pixels() const { return Resolved().pixels_; }

    // The picture of `path`, read and decoded when it is first asked for rather
    // than now; one that cannot be read or decoded is empty.
    void LoadLater(std::string path);

    // Both throw std::runtime_error; a file that cannot be opened, or is larger
    // than the decoder takes (kMaxPngFileSize, checked before it is read),
    // gives 'Cannot open file "<path>". <reason>'. The picture is unchanged on failure.
    void LoadFromFile(const std::string& path);
    void LoadFromMemory(const uint8_t* data, size_t size);
    void Assign(int width, int height, std::vector<uint8_t> premultipliedBgra);
    void Clear();

  private:
    const TPngImage& Resolved() const {
        if (!pending_.empty())
            Resolve();
        return *this;
    }
    void Resolve() const;
    // Takes a picture whose size and pixels agree; answers whether it did.
    bool Take(int width, int height, std::vector<uint8_t>&& premultipliedBgra) const;

    // Filled in by Resolve() from a const accessor, on the user-interface thread.
    mutable int width_ = 0;
    mutable int height_ = 0;
    mutable std::vector<uint8_t> pixels_;
    mutable std::string pending_;  // the file LoadLater() named, not read yet
};

class TskPngImageItem : public TCollectionItem {
    TALLOW_CLASS(TskPngImageItem, TCollectionItem)

    void PublishProperties(PropertyList& out) override;
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    TPngImage& Image() { return image_; }

  private:
    std::string name_;
    TPngImage image_;
};

class TskPngImageStore : public TComponent {
    TALLOW_CLASS(TskPngImageStore, TComponent)

    explicit TskPngImageStore(TComponent* owner);
    void PublishProperties(PropertyList& out) override;

    TItemCollection<TskPngImageItem>& PngImages() { return images_; }
    // The picture of slot `index`, or nullptr.
    TPngImage* Image(int index);
    // Loads a file into slot `index`, adding slots up to it. Throws like TPngImage.
    void LoadSlot(int index, const std::string& path);

  private:
    TItemCollection<TskPngImageItem> images_;
};

// Shows one slot of a picture store, sized by the picture when AutoSize is on.
class TskPngImageView : public TskControl {
    TALLOW_CLASS(TskPngImageView, TskControl)

    explicit TskPngImageView(TComponent* owner);
    void PublishProperties(PropertyList& out) override;
    const char* WindowClassName() const override { return "TallowImageView"; }

    TskPngImageStore* ImageStore() const { return store_; }
    void SetImageStore(TskPngImageStore* store);
    int ImageIndex() const { return index_; }
    void SetImageIndex(int index);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    bool Center() const { return center_; }
    void SetCenter(bool on);
    // Re-reads the bound picture (after the store's slot was loaded).
    void PictureChanged();

    void Paint(ICanvas& canvas) override;

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    TPngImage* Picture() const;
    TskPngImageStore* store_ = nullptr;
    int index_ = 0;
    bool autoSize_ = true;
    bool center_ = false;
};

// Button icons: pictures of one size (24 x 24), indexed in the order added.
class TskPngImageList : public TComponent {
    TALLOW_CLASS(TskPngImageList, TComponent)

    explicit TskPngImageList(TComponent* owner);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return int(images_.size()); }
    // Appends an empty picture and returns it.
    TPngImage& Add();
    // Appends the picture read from `path`; throws (and adds nothing) on failure.
    void AddFromFile(const std::string& path);
    void Delete(int index);
    void Clear();
    TPngImage* Item(int index);
    // The picture at `index` as a bitmap, nullptr when absent or empty.
    const TBitmapView* Get(int index);

  private:
    int width_ = 24;
    int height_ = 24;
    std::vector<std::unique_ptr<TPngImage>> images_;
    TBitmapView view_;
};

}  // namespace tallow
