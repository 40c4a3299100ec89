#include "toolkit/controls/PngImage.h"

#include <stdexcept>

#include "components/WholeFile.h"
#include "platform/Platform.h"
#include "toolkit/controls/ImageCodec.h"
#include "toolkit/image/PngDecoder.h"

namespace tallow {

//--- TPngImage ------------------------------------------------------------

// The size is checked before anything is read: a picture file of hundreds of
// megabytes is refused at once instead of costing its size in memory first.
// Windows reads through the platform's files, which read regular disk files
// only; the portable tree (tests) reads the file with the C library.
TFileRead ReadPictureFile(const std::string& path) {
    if (const IFiles* files = DefaultPlatform().files)
        return files->ReadFileUpTo(path, kMaxPngFileSize);
    TFileRead read;
    switch (ReadWholeFile(path, kMaxPngFileSize, read.content)) {
        case WholeFileStatus::Read:
            read.status = FileReadStatus::Read;
            break;
        case WholeFileStatus::Missing:
            read.status = FileReadStatus::Missing;
            break;
        case WholeFileStatus::TooLarge:
            read.status = FileReadStatus::TooLarge;
            break;
        case WholeFileStatus::Failed:
            read.status = FileReadStatus::Failed;
            break;
    }
    return read;
}

namespace {

const char* ReadFailure(FileReadStatus status) {
    switch (status) {
        case FileReadStatus::Missing:
            return "The file does not exist.";
        case FileReadStatus::TooLarge:
            return "The file is too large for a picture.";
        default:
            return "The file cannot be read.";
    }
}

}  // namespace

void TPngImage::LoadLater(std::string path) {
    Clear();
    pending_ = std::move(path);
}

void TPngImage::Resolve() const {
    const TFileRead read = ReadPictureFile(pending_);
    pending_.clear();
    if (read.status != FileReadStatus::Read)
        return;  // stays empty
    try {
        TDecodedImage img = DecodePicture(reinterpret_cast<const uint8_t*>(read.content.data()), read.content.size());
        Take(img.Width, img.Height, std::move(img.Bgra));
    } catch (const std::exception&) {
        // a damaged picture stays empty
    }
}

void TPngImage::LoadFromFile(const std::string& path) {
    TFileRead read = ReadPictureFile(path);
    if (read.status != FileReadStatus::Read)
        throw std::runtime_error("Cannot open file \"" + path + "\". " + ReadFailure(read.status));
    LoadFromMemory(reinterpret_cast<const uint8_t*>(read.content.data()), read.content.size());
}

void TPngImage::LoadFromMemory(const uint8_t* data, size_t size) {
    TDecodedImage img = DecodePicture(data, size);  // throws on bad data
    Assign(img.Width, img.Height, std::move(img.Bgra));
}

void TPngImage::Assign(int width, int height, std::vector<uint8_t> premultipliedBgra) {
    pending_.clear();
    if (!Take(width, height, std::move(premultipliedBgra)))
        Clear();
}

bool TPngImage::Take(int width, int height, std::vector<uint8_t>&& premultipliedBgra) const {
    if (width <= 0 || height <= 0 || premultipliedBgra.size() != size_t(width) * size_t(height) * 4)
        return false;
    width_ = width;
    height_ = height;
    pixels_ = std::move(premultipliedBgra);
    return true;
}

void TPngImage::Clear() {
    pending_.clear();
    width_ = height_ = 0;
    pixels_.clear();
}

//--- TskPngImageStore -----------------------------------------------------

void TskPngImageItem::PublishProperties(PropertyList& out) {
    TCollectionItem::PublishProperties(out);
    out.String<TskPngImageItem>("Name", "String", &TskPngImageItem::Name, &TskPngImageItem::SetName);
}

TskPngImageStore::TskPngImageStore(TComponent* owner) : TComponent(owner) {}

void TskPngImageStore::PublishProperties(PropertyList& out) {
    TComponent::PublishProperties(out);
    out.Object<TCollection, TskPngImageStore>(
        "PngImages", "TskPngImageCollection", [](TskPngImageStore& s) -> TCollection* { return &s.images_; }, nullptr);
}

TPngImage* TskPngImageStore::Image(int index) {
    TskPngImageItem* item = images_.Items(index);
    return item != nullptr ? &item->Image() : nullptr;
}

void TskPngImageStore::LoadSlot(int index, const std::string& path) {
    if (index < 0)
        throw std::out_of_range("Image slot index out of range");
    TPngImage loaded;
    loaded.LoadFromFile(path);
    while (images_.Count() <= index)
        images_.Add();
    TPngImage& slot = *Image(index);
    slot.Assign(loaded.Width(), loaded.Height(), std::vector<uint8_t>(loaded.Pixels()));
}

//--- TskPngImageView ------------------------------------------------------

TskPngImageView::TskPngImageView(TComponent* owner) : TskControl(owner) {}

void TskPngImageView::PublishProperties(PropertyList& out) {
    TskControl::PublishProperties(out);
    out.Integer<TskPngImageView>("ImageIndex", "Integer", &TskPngImageView::ImageIndex,
                                 &TskPngImageView::SetImageIndex);
    out.Boolean<TskPngImageView>("AutoSize", &TskPngImageView::AutoSize, &TskPngImageView::SetAutoSize);
    out.Object<TskPngImageStore, TskPngImageView>("ImageStore", "TskPngImageStore", &TskPngImageView::ImageStore,
                                                  &TskPngImageView::SetImageStore);
}

void TskPngImageView::SetImageStore(TskPngImageStore* store) {
    if (store_ != nullptr)
        RemoveFreeNotification(store_);
    store_ = store;
    if (store_ != nullptr)
        FreeNotification(store_);
    PictureChanged();
}

void TskPngImageView::SetImageIndex(int index) {
    index_ = index;
    PictureChanged();
}

void TskPngImageView::SetAutoSize(bool on) {
    autoSize_ = on;
    PictureChanged();
}

void TskPngImageView::SetCenter(bool on) {
    center_ = on;
    Invalidate();
}

TPngImage* TskPngImageView::Picture() const {
    return store_ != nullptr ? store_->Image(index_) : nullptr;
}

void TskPngImageView::PictureChanged() {
    TPngImage* pic = Picture();
    if (autoSize_ && pic != nullptr && !pic->Empty())
        SetBounds(Left(), Top(), pic->Width(), pic->Height());
    Invalidate();
}

void TskPngImageView::Notification(TComponent* component, TOperation operation) {
    TskControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == store_)
        store_ = nullptr;
}

void TskPngImageView::Paint(ICanvas& canvas) {
    canvas.FillRect(ClientRect(), BackgroundColor());
    TPngImage* pic = Picture();
    if (pic == nullptr || pic->Empty())
        return;
    int x = center_ ? (Width() - pic->Width()) / 2 : 0;
    int y = center_ ? (Height() - pic->Height()) / 2 : 0;
    canvas.Image(pic->View(), x, y, 255);
}

//--- TskPngImageList ------------------------------------------------------

TskPngImageList::TskPngImageList(TComponent* owner) : TComponent(owner) {}

TPngImage& TskPngImageList::Add() {
    images_.push_back(std::make_unique<TPngImage>());
    return *images_.back();
}

void TskPngImageList::AddFromFile(const std::string& path) {
    auto image = std::make_unique<TPngImage>();
    image->LoadFromFile(path);
    images_.push_back(std::move(image));
}

void TskPngImageList::Delete(int index) {
    if (index >= 0 && index < Count())
        images_.erase(images_.begin() + index);
}

void TskPngImageList::Clear() {
    images_.clear();
}

TPngImage* TskPngImageList::Item(int index) {
    return index >= 0 && index < Count() ? images_[size_t(index)].get() : nullptr;
}

const TBitmapView* TskPngImageList::Get(int index) {
    TPngImage* image = Item(index);
    if (image == nullptr || image->Empty())
        return nullptr;
    view_ = image->View();
    return &view_;
}

}  // namespace tallow
