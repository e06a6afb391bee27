#include "EvpDigest.h"

#include <openssl/evp.h>

#include <new>

namespace quorvel {

const EVP_MD* EvpMd(EAlgorithm alg) {
    switch (alg) {
    case EAlgorithm::MD5:
        return EVP_md5();
    case EAlgorithm::SHA1:
        return EVP_sha1();
    case EAlgorithm::SHA224:
        return EVP_sha224();
    case EAlgorithm::SHA256:
        return EVP_sha256();
    case EAlgorithm::SHA384:
        return EVP_sha384();
    case EAlgorithm::SHA512:
        return EVP_sha512();
    }
    return nullptr;
}

namespace {

class EvpDigest final : public StreamingDigest {
public:
    explicit EvpDigest(EAlgorithm alg) : m_md(EvpMd(alg)), m_ctx(EVP_MD_CTX_new()) {
        if (m_ctx == nullptr) {
            throw std::bad_alloc();
        }
    }
    ~EvpDigest() override { EVP_MD_CTX_free(m_ctx); }
    EvpDigest(const EvpDigest&) = delete;
    EvpDigest& operator=(const EvpDigest&) = delete;

    int Init() override { return EVP_DigestInit_ex(m_ctx, m_md, nullptr); }
    int Update(const unsigned char* data, size_t length) override { return EVP_DigestUpdate(m_ctx, data, length); }
    int Final(unsigned char* digest) override {
        unsigned int written = 0;
        return EVP_DigestFinal_ex(m_ctx, digest, &written);
    }

private:
    const EVP_MD* m_md;
    EVP_MD_CTX* m_ctx;
};

} // namespace

std::unique_ptr<StreamingDigest> MakeEvpDigest(EAlgorithm alg) {
    return std::make_unique<EvpDigest>(alg);
}

} // namespace quorvel
