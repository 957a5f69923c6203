#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Core/Base/MemoryStream.h"
#include "Core/Render/Shader.h"
#include "tests/Core/Render/FakeDevice.h"

namespace {

using render_testing::CallLog;
using render_testing::FakeShaderImpl;

class ShaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto made = std::make_unique<FakeShaderImpl>(nullptr, log, "S");
    impl = made.get();
    shader = std::make_unique<render::ShaderTextured>(std::move(made));
  }

  std::vector<unsigned char> Written() {
    base::MemoryStream stream;
    EXPECT_EQ(impl->WriteVariables(stream), QL_OK);
    return {stream.GetData(), stream.GetData() + stream.GetPosition()};
  }

  CallLog log;
  FakeShaderImpl* impl = nullptr;
  std::unique_ptr<render::ShaderTextured> shader;
  math::Matrix4 projection;
};

TEST_F(ShaderTest, VariablesTravelByIndexAndReachTheDeviceInOrder) {
  auto colour = impl->AddVariable(std::make_unique<render::ShaderScalarVariable<math::Point4, 1>>(
      impl, impl->CreateScalarVariable("color2", render::kPixelStage)));
  ASSERT_EQ(shader->BindVariables(), QL_OK);
  colour->Set({0.25f, 0, 0, 0.75f});
  shader->GetProjectionVariable()->Set(&projection);

  base::MemoryStream stream;
  ASSERT_EQ(impl->WriteVariables(stream), QL_OK);
  EXPECT_FALSE(impl->AreVariablesChanged());
  const unsigned char* bytes = stream.GetData();
  EXPECT_EQ(stream.GetPosition(), 1u + (1 + 16) + (1 + sizeof(void*)) * 2);
  EXPECT_EQ(bytes[0], 3);
  EXPECT_EQ(bytes[1], 0);
  EXPECT_EQ(bytes[1 + 1 + 16], 1);
  EXPECT_EQ(bytes[1 + 1 + 16 + 1 + sizeof(void*)], 2);

  stream.Seek(0, base::kSeekBegin);
  ASSERT_EQ(impl->ReadVariables(stream), QL_OK);
  EXPECT_EQ(log,
            (CallLog{"SetVector S.color2 0.250000 0.750000", "SetMatrix S.Proj", "SetTexture S.TextureSampler null"}));
}

TEST_F(ShaderTest, TheFirstFailingVariableStopsTheRead) {
  ASSERT_EQ(shader->BindVariables(), QL_OK);
  base::MemoryStream stream;
  ASSERT_EQ(impl->WriteVariables(stream), QL_OK);
  impl->variableResult = static_cast<QLResultEnum>(4);

  stream.Seek(0, base::kSeekBegin);
  EXPECT_EQ(impl->ReadVariables(stream), 4);
  EXPECT_EQ(log, CallLog{"SetMatrix S.Proj null"});
}

TEST_F(ShaderTest, SettingTheSameValueMarksNothing) {
  ASSERT_EQ(shader->BindVariables(), QL_OK);
  shader->GetProjectionVariable()->Set(&projection);
  Written();

  shader->SetProjection(&projection);
  shader->SetImage(nullptr);
  EXPECT_FALSE(impl->AreVariablesChanged());

  math::Matrix4 other;
  shader->GetProjectionVariable()->Set(&other);
  EXPECT_TRUE(impl->AreVariablesChanged());
}

TEST_F(ShaderTest, UnbindingAndDeviceResetSendEveryVariableAgain) {
  ASSERT_EQ(shader->BindVariables(), QL_OK);
  for (auto event : {&render::ShaderImpl::OnUnbind, &render::ShaderImpl::OnResetDevice}) {
    Written();
    ASSERT_FALSE(impl->AreVariablesChanged());
    EXPECT_EQ((impl->*event)(), QL_OK);
    EXPECT_TRUE(impl->AreVariablesChanged());
  }
}

TEST_F(ShaderTest, ATexturedShaderWithoutItsSamplerDoesNotBind) {
  impl->missing = render::ShaderTextured::kTextureName;
  EXPECT_EQ(shader->BindVariables(), QL_FAIL);
}

// Only what the short vectors pass on is of interest here.
class VectorRecorder : public render::ShaderScalarVariableImpl {
 public:
  QLResultEnum SetMatrix(const math::Matrix4*) override { return QL_OK; }
  QLResultEnum SetVector(const float value[4]) override {
    last.assign(value, value + 4);
    return QL_OK;
  }
  QLResultEnum SetFloat(float) override { return QL_OK; }
  std::vector<float> last;
};

TEST(ShaderScalarVariableImplTest, ShortVectorsAreCompletedAsAPosition) {
  VectorRecorder variable;
  variable.SetVector3(1, 2, 3);
  EXPECT_EQ(variable.last, (std::vector<float>{1, 2, 3, 1}));
  variable.SetVector2(4, 5);
  EXPECT_EQ(variable.last, (std::vector<float>{4, 5, 0, 1}));
}

}  // namespace
