#pragma once
// TOvixDFeDANFeReport, the base of the DANFE components: the auxiliary-document base
// linked both ways to one NF-e component.

#include "dfe/ovixdfereport.h"

#include "rtl/classes.h"

#include <string>

namespace nfe {

class TOvixNFe;

class TOvixDFeDANFeReport : public dfe::TOvixDFeReport {
public:
    explicit TOvixDFeDANFeReport(rtl::TComponent *AOwner);
    ~TOvixDFeDANFeReport() override;
    std::string ClassName() const override;

    // The base's handling, then, on removal of any NF-e component (the class counts, not
    // the identity with the linked one), the link is cleared.
    void Notification(rtl::TComponent *AComponent, rtl::TOperation Operation) override;

    // The linked NF-e component, not owned.
    TOvixNFe *OvixNFe() const noexcept { return FOvixNFe; }
    // The same component again does nothing. A component that is not an NF-e component
    // raises EOvixNFeException "OvixDANFE.NFE deve ser do tipo TOvixNFe" and keeps the link.
    // Otherwise the previous NF-e component is unlinked on its side, and the new one is
    // asked for its removal notice and gets this component as its DANFE.
    void SetOvixNFe(rtl::TComponent *Value);

private:
    TOvixNFe *FOvixNFe = nullptr;
};

} // namespace nfe
