#include "nfe/danfeclass.h"

#include "nfe/component.h"
#include "nfe/exception.h"

namespace nfe {

TOvixDFeDANFeReport::TOvixDFeDANFeReport(rtl::TComponent *AOwner) : dfe::TOvixDFeReport(AOwner) {}

TOvixDFeDANFeReport::~TOvixDFeDANFeReport() = default;

std::string TOvixDFeDANFeReport::ClassName() const
{
    return "TOvixDFeDANFeReport";
}

void TOvixDFeDANFeReport::Notification(rtl::TComponent *AComponent, rtl::TOperation Operation)
{
    dfe::TOvixDFeReport::Notification(AComponent, Operation);
    if (Operation == rtl::opRemove && FOvixNFe != nullptr && dynamic_cast<TOvixNFe *>(AComponent) != nullptr)
        FOvixNFe = nullptr;
}

void TOvixDFeDANFeReport::SetOvixNFe(rtl::TComponent *Value)
{
    if (Value == FOvixNFe)
        return;
    auto *novo = dynamic_cast<TOvixNFe *>(Value);
    if (Value != nullptr && novo == nullptr)
        throw EOvixNFeException("OvixDANFE.NFE deve ser do tipo TOvixNFe");

    if (FOvixNFe != nullptr)
        FOvixNFe->RemoveFreeNotification(this);

    // The value is stored before the old partner is unlinked: the partner's setter calls
    // back here and must see the new state. Each setter stops once it finds the link it is
    // asked for already made, so the calls back and forth end with both sides in step.
    TOvixNFe *anterior = FOvixNFe;
    FOvixNFe = novo;
    if (anterior != nullptr && anterior->DANFE() != nullptr)
        anterior->SetDANFE(nullptr);

    if (novo != nullptr) {
        novo->FreeNotification(this);
        novo->SetDANFE(this);
    }
}

} // namespace nfe
