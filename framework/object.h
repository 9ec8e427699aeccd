// CObject and run-time class information: a class name and its base, checked with IsKindOf.
#pragma once

struct CRuntimeClass {
    const char* m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;
    bool IsDerivedFrom(const CRuntimeClass* base) const;
};

class CObject {
public:
    virtual ~CObject() = default;
    static const CRuntimeClass classCObject;
    virtual const CRuntimeClass* GetRuntimeClass() const { return &classCObject; }
    bool IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }
};

#define RUNTIME_CLASS(className) (&className::class##className)

#define DECLARE_DYNAMIC(className)                                        \
public:                                                                   \
    static const CRuntimeClass class##className;                          \
    const CRuntimeClass* GetRuntimeClass() const override { return &class##className; }

#define IMPLEMENT_DYNAMIC(className, baseClass) \
    const CRuntimeClass className::class##className = {#className, RUNTIME_CLASS(baseClass)};
