#include "platform/d3d8/d3d8_pipeline.h"

#include <algorithm>
#include <cstring>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include "platform/d3d8/d3d8_texture_storage.h"

namespace platform::d3d8 {
namespace {

// With a buffer bound, OpenGL takes offsets into it where it took pointers.
const void* RingAt(size_t offset) { return reinterpret_cast<const void*>(offset); }

D3DMATRIX Identity() {
  D3DMATRIX m{};
  for (int i = 0; i < 4; ++i) m.m[i][i] = 1.0f;
  return m;
}

// Row-vector product a x b, as Direct3D composes transforms.
D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
  D3DMATRIX r{};
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += a.m[i][k] * b.m[k][j];
      r.m[i][j] = sum;
    }
  }
  return r;
}

void Transform(const float in[4], const D3DMATRIX& m, float out[4]) {
  for (int j = 0; j < 4; ++j) {
    out[j] = in[0] * m.m[0][j] + in[1] * m.m[1][j] + in[2] * m.m[2][j] + in[3] * m.m[3][j];
  }
}

GLenum BlendFactor(DWORD value) {
  switch (value) {
    case D3DBLEND_ZERO: return GL_ZERO;
    case D3DBLEND_ONE: return GL_ONE;
    case D3DBLEND_SRCCOLOR: return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA: return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA: return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR: return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
    default: return GL_ONE;
  }
}

GLenum BlendEquation(DWORD value) {
  switch (value) {
    case D3DBLENDOP_SUBTRACT: return GL_FUNC_SUBTRACT;
    case D3DBLENDOP_REVSUBTRACT: return GL_FUNC_REVERSE_SUBTRACT;
    case D3DBLENDOP_MIN: return GL_MIN;
    case D3DBLENDOP_MAX: return GL_MAX;
    default: return GL_FUNC_ADD;
  }
}

GLenum CompareFunction(DWORD value) {
  switch (value) {
    case D3DCMP_NEVER: return GL_NEVER;
    case D3DCMP_LESS: return GL_LESS;
    case D3DCMP_EQUAL: return GL_EQUAL;
    case D3DCMP_LESSEQUAL: return GL_LEQUAL;
    case D3DCMP_GREATER: return GL_GREATER;
    case D3DCMP_NOTEQUAL: return GL_NOTEQUAL;
    case D3DCMP_GREATEREQUAL: return GL_GEQUAL;
    default: return GL_ALWAYS;
  }
}

GLenum StencilOperation(DWORD value) {
  switch (value) {
    case D3DSTENCILOP_ZERO: return GL_ZERO;
    case D3DSTENCILOP_REPLACE: return GL_REPLACE;
    case D3DSTENCILOP_INCRSAT: return GL_INCR;
    case D3DSTENCILOP_DECRSAT: return GL_DECR;
    case D3DSTENCILOP_INVERT: return GL_INVERT;
    case D3DSTENCILOP_INCR: return GL_INCR_WRAP;
    case D3DSTENCILOP_DECR: return GL_DECR_WRAP;
    default: return GL_KEEP;
  }
}

GLenum AddressMode(DWORD value) {
  switch (value) {
    case D3DTADDRESS_MIRROR: return GL_MIRRORED_REPEAT;
    case D3DTADDRESS_CLAMP: return GL_CLAMP_TO_EDGE;
    case D3DTADDRESS_BORDER: return GL_CLAMP_TO_BORDER;
    default: return GL_REPEAT;
  }
}

struct GlPrimitive {
  GLenum mode;
  UINT vertices;
};

GlPrimitive PrimitiveOf(D3DPRIMITIVETYPE type, UINT count) {
  switch (type) {
    case D3DPT_POINTLIST: return {GL_POINTS, count};
    case D3DPT_LINELIST: return {GL_LINES, count * 2};
    case D3DPT_LINESTRIP: return {GL_LINE_STRIP, count + 1};
    case D3DPT_TRIANGLESTRIP: return {GL_TRIANGLE_STRIP, count + 2};
    case D3DPT_TRIANGLEFAN: return {GL_TRIANGLE_FAN, count + 2};
    default: return {GL_TRIANGLES, count * 3};
  }
}

void ColourOf(D3DCOLOR colour, float out[4]) {
  out[0] = ((colour >> 16) & 0xFF) / 255.0f;
  out[1] = ((colour >> 8) & 0xFF) / 255.0f;
  out[2] = (colour & 0xFF) / 255.0f;
  out[3] = (colour >> 24) / 255.0f;
}

// Where a combiner argument comes from and which part of it is read.
struct CombinerSource {
  GLint source;
  GLint operand;
};

CombinerSource SourceOf(DWORD argument, uint32_t stage, bool forAlpha) {
  CombinerSource s{GL_PREVIOUS, GL_SRC_COLOR};
  switch (argument & D3DTA_SELECTMASK) {
    case D3DTA_DIFFUSE: s.source = GL_PRIMARY_COLOR; break;
    case D3DTA_TEXTURE: s.source = GL_TEXTURE; break;
    case D3DTA_TFACTOR: s.source = GL_CONSTANT; break;
    default: s.source = stage == 0 ? GL_PRIMARY_COLOR : GL_PREVIOUS; break;
  }
  bool complement = (argument & D3DTA_COMPLEMENT) != 0;
  if (forAlpha || (argument & D3DTA_ALPHAREPLICATE)) {
    s.operand = complement ? GL_ONE_MINUS_SRC_ALPHA : GL_SRC_ALPHA;
  } else {
    s.operand = complement ? GL_ONE_MINUS_SRC_COLOR : GL_SRC_COLOR;
  }
  return s;
}

// One combiner (colour or alpha half) from a Direct3D operation.
void SetCombiner(uint32_t stage, bool forAlpha, DWORD op, DWORD arg1, DWORD arg2) {
  const GLenum combine = forAlpha ? GL_COMBINE_ALPHA : GL_COMBINE_RGB;
  const GLenum scale = forAlpha ? GL_ALPHA_SCALE : GL_RGB_SCALE;
  const GLenum sources[3] = {forAlpha ? GLenum(GL_SRC0_ALPHA) : GLenum(GL_SRC0_RGB),
                             forAlpha ? GLenum(GL_SRC1_ALPHA) : GLenum(GL_SRC1_RGB),
                             forAlpha ? GLenum(GL_SRC2_ALPHA) : GLenum(GL_SRC2_RGB)};
  const GLenum operands[3] = {forAlpha ? GLenum(GL_OPERAND0_ALPHA) : GLenum(GL_OPERAND0_RGB),
                              forAlpha ? GLenum(GL_OPERAND1_ALPHA) : GLenum(GL_OPERAND1_RGB),
                              forAlpha ? GLenum(GL_OPERAND2_ALPHA) : GLenum(GL_OPERAND2_RGB)};
  auto bind = [&](int slot, CombinerSource s) {
    glTexEnvi(GL_TEXTURE_ENV, sources[slot], s.source);
    glTexEnvi(GL_TEXTURE_ENV, operands[slot], s.operand);
  };
  CombinerSource a1 = SourceOf(arg1, stage, forAlpha), a2 = SourceOf(arg2, stage, forAlpha);
  GLint mode = GL_MODULATE;
  GLfloat factor = 1.0f;
  switch (op) {
    case D3DTOP_DISABLE:  // alpha only: the colour half is still on, alpha passes through
      mode = GL_REPLACE;
      a1 = SourceOf(D3DTA_CURRENT, stage, forAlpha);
      break;
    case D3DTOP_SELECTARG1: mode = GL_REPLACE; break;
    case D3DTOP_SELECTARG2: mode = GL_REPLACE; a1 = a2; break;
    case D3DTOP_MODULATE2X: factor = 2.0f; break;
    case D3DTOP_MODULATE4X: factor = 4.0f; break;
    case D3DTOP_ADD: mode = GL_ADD; break;
    case D3DTOP_ADDSIGNED: mode = GL_ADD_SIGNED; break;
    case D3DTOP_SUBTRACT: mode = GL_SUBTRACT; break;
    case D3DTOP_BLENDDIFFUSEALPHA:
    case D3DTOP_BLENDTEXTUREALPHA:
    case D3DTOP_BLENDFACTORALPHA:
    case D3DTOP_BLENDCURRENTALPHA: {
      mode = GL_INTERPOLATE;
      DWORD weight = op == D3DTOP_BLENDDIFFUSEALPHA   ? D3DTA_DIFFUSE
                     : op == D3DTOP_BLENDTEXTUREALPHA ? D3DTA_TEXTURE
                     : op == D3DTOP_BLENDFACTORALPHA  ? D3DTA_TFACTOR
                                                      : D3DTA_CURRENT;
      bind(2, SourceOf(weight | D3DTA_ALPHAREPLICATE, stage, true));
      break;
    }
    default: break;
  }
  glTexEnvi(GL_TEXTURE_ENV, combine, mode);
  glTexEnvf(GL_TEXTURE_ENV, scale, factor);
  bind(0, a1);
  bind(1, a2);
}

}  // namespace

Pipeline::Pipeline() {
  world_ = view_ = projection_ = Identity();
  for (D3DMATRIX& m : textureMatrices_) m = Identity();
}

Pipeline::~Pipeline() {
  ReleaseTextures();
  if (whiteTexture_) glDeleteTextures(1, &whiteTexture_);
}

void Pipeline::ReleaseTextures() {
  for (IDirect3DBaseTexture8*& texture : textures_) {
    if (texture) texture->Release();
    texture = nullptr;
  }
}

void Pipeline::SetTarget(uint32_t targetWidth, uint32_t targetHeight, bool texture) {
  targetWidth_ = targetWidth;
  targetHeight_ = targetHeight;
  textureTarget_ = texture;
  viewport_ = {0, 0, targetWidth, targetHeight, 0.0f, 1.0f};
  // The winding and the transforms depend on which way the rows run.
  rasterApplied_ = false;
  transformsApplied_ = false;
}

void Pipeline::Reset(uint32_t targetWidth, uint32_t targetHeight) {
  std::fill(std::begin(renderStates_), std::end(renderStates_), 0u);
  DWORD* rs = renderStates_;
  rs[D3DRS_ZENABLE] = TRUE;
  rs[D3DRS_FILLMODE] = D3DFILL_SOLID;
  rs[D3DRS_SHADEMODE] = 2;  // Gouraud
  rs[D3DRS_ZWRITEENABLE] = TRUE;
  rs[D3DRS_SRCBLEND] = D3DBLEND_ONE;
  rs[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
  rs[D3DRS_CULLMODE] = D3DCULL_CCW;
  rs[D3DRS_ZFUNC] = D3DCMP_LESSEQUAL;
  rs[D3DRS_ALPHAFUNC] = D3DCMP_ALWAYS;
  rs[D3DRS_STENCILFAIL] = rs[D3DRS_STENCILZFAIL] = rs[D3DRS_STENCILPASS] = D3DSTENCILOP_KEEP;
  rs[D3DRS_STENCILFUNC] = D3DCMP_ALWAYS;
  rs[D3DRS_STENCILMASK] = rs[D3DRS_STENCILWRITEMASK] = 0xFFFFFFFFu;
  rs[D3DRS_TEXTUREFACTOR] = 0xFFFFFFFFu;
  rs[D3DRS_CLIPPING] = TRUE;
  rs[D3DRS_LIGHTING] = TRUE;
  rs[D3DRS_COLORWRITEENABLE] = 0xF;
  rs[D3DRS_BLENDOP] = D3DBLENDOP_ADD;
  for (DWORD stage = 0; stage < kD3DStageCount; ++stage) {
    DWORD* ss = stageStates_[stage];
    std::fill(ss, ss + kD3DStageStateCount, 0u);
    ss[D3DTSS_COLOROP] = stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
    ss[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
    ss[D3DTSS_COLORARG2] = D3DTA_CURRENT;
    ss[D3DTSS_ALPHAOP] = stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
    ss[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
    ss[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
    ss[D3DTSS_TEXCOORDINDEX] = stage;
    ss[D3DTSS_ADDRESSU] = ss[D3DTSS_ADDRESSV] = D3DTADDRESS_WRAP;
    ss[D3DTSS_MAGFILTER] = ss[D3DTSS_MINFILTER] = D3DTEXF_POINT;
    ss[D3DTSS_MIPFILTER] = D3DTEXF_NONE;
  }
  world_ = view_ = projection_ = Identity();
  for (D3DMATRIX& m : textureMatrices_) m = Identity();
  SetTarget(targetWidth, targetHeight, false);
  fvf_ = 0;
  ReleaseTextures();

  if (!whiteTexture_) {
    // Sampled by a stage that has no texture: Direct3D reads opaque white there.
    const uint32_t white = 0xFFFFFFFFu;
    glGenTextures(1, &whiteTexture_);
    glBindTexture(GL_TEXTURE_2D, whiteTexture_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_BGRA, GL_UNSIGNED_BYTE, &white);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  }
  // No depth buffer: depth testing stays off whatever the Z states say.
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_DITHER);
  ForgetApplied();
}

void Pipeline::ForgetApplied() {
  rasterApplied_ = false;
  transformsApplied_ = false;
  for (AppliedUnit& unit : units_) unit = AppliedUnit();
  activeUnit_ = clientUnit_ = -1;
  arraysKnown_ = false;
}

bool Pipeline::CombinerKey::operator==(const CombinerKey& other) const {
  return colourOp == other.colourOp && colourArg1 == other.colourArg1 && colourArg2 == other.colourArg2 &&
         alphaOp == other.alphaOp && alphaArg1 == other.alphaArg1 && alphaArg2 == other.alphaArg2 &&
         factor == other.factor;
}

Pipeline::CombinerKey Pipeline::CombinerOf(uint32_t stage) const {
  const DWORD* ss = stageStates_[stage];
  return {ss[D3DTSS_COLOROP], ss[D3DTSS_COLORARG1], ss[D3DTSS_COLORARG2], ss[D3DTSS_ALPHAOP],
          ss[D3DTSS_ALPHAARG1], ss[D3DTSS_ALPHAARG2], renderStates_[D3DRS_TEXTUREFACTOR]};
}

void Pipeline::SelectUnit(uint32_t stage) {
  if (activeUnit_ == static_cast<int32_t>(stage)) return;
  glActiveTexture(GL_TEXTURE0 + stage);
  activeUnit_ = static_cast<int32_t>(stage);
}

void Pipeline::SelectClientUnit(uint32_t stage) {
  if (clientUnit_ == static_cast<int32_t>(stage)) return;
  glClientActiveTexture(GL_TEXTURE0 + stage);
  clientUnit_ = static_cast<int32_t>(stage);
}

void Pipeline::SetClientArray(uint32_t array, bool on, bool& applied) {
  if (arraysKnown_ && applied == on) return;
  if (on) {
    glEnableClientState(array);
  } else {
    glDisableClientState(array);
  }
  applied = on;
  ++appliedChanges_;
}

HRESULT Pipeline::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  if (state >= kD3DRenderStateCount) return D3DERR_INVALIDCALL;
  if (renderStates_[state] != value) rasterApplied_ = false;
  renderStates_[state] = value;
  return D3D_OK;
}

HRESULT Pipeline::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) const {
  if (state >= kD3DRenderStateCount || !value) return D3DERR_INVALIDCALL;
  *value = renderStates_[state];
  return D3D_OK;
}

HRESULT Pipeline::SetStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
  if (stage >= kD3DStageCount || type >= kD3DStageStateCount) return D3DERR_INVALIDCALL;
  stageStates_[stage][type] = value;
  return D3D_OK;
}

HRESULT Pipeline::GetStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) const {
  if (stage >= kD3DStageCount || type >= kD3DStageStateCount || !value) return D3DERR_INVALIDCALL;
  *value = stageStates_[stage][type];
  return D3D_OK;
}

HRESULT Pipeline::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
  if (!matrix) return D3DERR_INVALIDCALL;
  transformsApplied_ = false;
  if (state == D3DTS_WORLD) world_ = *matrix;
  else if (state == D3DTS_VIEW) view_ = *matrix;
  else if (state == D3DTS_PROJECTION) projection_ = *matrix;
  else if (state >= D3DTS_TEXTURE0 && state <= D3DTS_TEXTURE7) textureMatrices_[state - D3DTS_TEXTURE0] = *matrix;
  else return D3DERR_INVALIDCALL;
  return D3D_OK;
}

HRESULT Pipeline::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) const {
  if (!matrix) return D3DERR_INVALIDCALL;
  if (state == D3DTS_WORLD) *matrix = world_;
  else if (state == D3DTS_VIEW) *matrix = view_;
  else if (state == D3DTS_PROJECTION) *matrix = projection_;
  else if (state >= D3DTS_TEXTURE0 && state <= D3DTS_TEXTURE7) *matrix = textureMatrices_[state - D3DTS_TEXTURE0];
  else return D3DERR_INVALIDCALL;
  return D3D_OK;
}

HRESULT Pipeline::SetViewport(const D3DVIEWPORT8* viewport) {
  if (!viewport || viewport->Width == 0 || viewport->Height == 0 ||
      viewport->X + viewport->Width > targetWidth_ || viewport->Y + viewport->Height > targetHeight_) {
    return D3DERR_INVALIDCALL;
  }
  viewport_ = *viewport;
  transformsApplied_ = false;
  return D3D_OK;
}

HRESULT Pipeline::SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) {
  if (stage >= kD3DStageCount) return D3DERR_INVALIDCALL;
  if (texture) texture->AddRef();
  if (textures_[stage]) textures_[stage]->Release();
  textures_[stage] = texture;
  return D3D_OK;
}

bool Pipeline::DescribeVertices(VertexLayout& layout) const {
  uint32_t offset = 0;
  switch (fvf_ & D3DFVF_POSITION_MASK) {
    case D3DFVF_XYZ: offset = 12; break;
    case D3DFVF_XYZRHW: offset = 16; layout.pretransformed = true; break;
    default: return false;
  }
  if (fvf_ & D3DFVF_NORMAL) offset += 12;
  if (fvf_ & 0x020) offset += 4;  // point size
  if (fvf_ & D3DFVF_DIFFUSE) {
    layout.hasDiffuse = true;
    layout.diffuseOffset = offset;
    offset += 4;
  }
  if (fvf_ & D3DFVF_SPECULAR) offset += 4;
  layout.texCoordOffset = offset;
  layout.texCoordSets = (fvf_ & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
  layout.size = offset + layout.texCoordSets * 8;
  return true;
}

uint32_t Pipeline::ActiveStageCount() const {
  uint32_t count = 0;
  while (count < kD3DStageCount && stageStates_[count][D3DTSS_COLOROP] != D3DTOP_DISABLE) ++count;
  return count;
}

void Pipeline::ApplyRasterState() {
  if (rasterApplied_) return;
  rasterApplied_ = true;
  ++appliedChanges_;
  const DWORD* rs = renderStates_;
  if (rs[D3DRS_ALPHABLENDENABLE]) {
    glEnable(GL_BLEND);
    glBlendFunc(BlendFactor(rs[D3DRS_SRCBLEND]), BlendFactor(rs[D3DRS_DESTBLEND]));
    glBlendEquation(BlendEquation(rs[D3DRS_BLENDOP]));
  } else {
    glDisable(GL_BLEND);
  }
  if (rs[D3DRS_ALPHATESTENABLE]) {
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(CompareFunction(rs[D3DRS_ALPHAFUNC]), static_cast<float>(rs[D3DRS_ALPHAREF] & 0xFF) / 255.0f);
  } else {
    glDisable(GL_ALPHA_TEST);
  }
  // Direct3D names the winding as seen on screen, and so does OpenGL's
  // window space: culling counter-clockwise triangles keeps clockwise ones.
  // A texture's rows run the other way up, which turns the winding over.
  if (rs[D3DRS_CULLMODE] == D3DCULL_NONE) {
    glDisable(GL_CULL_FACE);
  } else {
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace((rs[D3DRS_CULLMODE] == D3DCULL_CCW) != textureTarget_ ? GL_CW : GL_CCW);
  }
  glPolygonMode(GL_FRONT_AND_BACK, rs[D3DRS_FILLMODE] == D3DFILL_POINT       ? GL_POINT
                                   : rs[D3DRS_FILLMODE] == D3DFILL_WIREFRAME ? GL_LINE
                                                                             : GL_FILL);
  glShadeModel(rs[D3DRS_SHADEMODE] == 1 ? GL_FLAT : GL_SMOOTH);
  if (rs[D3DRS_STENCILENABLE]) {
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(CompareFunction(rs[D3DRS_STENCILFUNC]), static_cast<GLint>(rs[D3DRS_STENCILREF]),
                  rs[D3DRS_STENCILMASK]);
    glStencilOp(StencilOperation(rs[D3DRS_STENCILFAIL]), StencilOperation(rs[D3DRS_STENCILZFAIL]),
                StencilOperation(rs[D3DRS_STENCILPASS]));
    glStencilMask(rs[D3DRS_STENCILWRITEMASK]);
  } else {
    glDisable(GL_STENCIL_TEST);
  }
  DWORD mask = rs[D3DRS_COLORWRITEENABLE];
  glColorMask(mask & 1, (mask >> 1) & 1, (mask >> 2) & 1, (mask >> 3) & 1);
}

void Pipeline::ApplySampler(uint32_t stage, uint32_t target) {
  const DWORD* ss = stageStates_[stage];
  bool linearMin = ss[D3DTSS_MINFILTER] >= D3DTEXF_LINEAR;
  GLint minFilter = linearMin ? GL_LINEAR : GL_NEAREST;
  if (ss[D3DTSS_MIPFILTER] == D3DTEXF_POINT) minFilter = linearMin ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
  if (ss[D3DTSS_MIPFILTER] >= D3DTEXF_LINEAR) minFilter = linearMin ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
  glTexParameteri(target, GL_TEXTURE_MIN_FILTER, minFilter);
  glTexParameteri(target, GL_TEXTURE_MAG_FILTER, ss[D3DTSS_MAGFILTER] >= D3DTEXF_LINEAR ? GL_LINEAR : GL_NEAREST);
  glTexParameteri(target, GL_TEXTURE_WRAP_S, static_cast<GLint>(AddressMode(ss[D3DTSS_ADDRESSU])));
  glTexParameteri(target, GL_TEXTURE_WRAP_T, static_cast<GLint>(AddressMode(ss[D3DTSS_ADDRESSV])));
  float border[4];
  ColourOf(ss[D3DTSS_BORDERCOLOR], border);
  glTexParameterfv(target, GL_TEXTURE_BORDER_COLOR, border);
}

void Pipeline::ApplyCombiner(uint32_t stage) {
  const DWORD* ss = stageStates_[stage];
  float factor[4];
  ColourOf(renderStates_[D3DRS_TEXTUREFACTOR], factor);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
  glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, factor);
  SetCombiner(stage, false, ss[D3DTSS_COLOROP], ss[D3DTSS_COLORARG1], ss[D3DTSS_COLORARG2]);
  SetCombiner(stage, true, ss[D3DTSS_ALPHAOP], ss[D3DTSS_ALPHAARG1], ss[D3DTSS_ALPHAARG2]);
}

void Pipeline::ApplyStages(uint32_t activeStages) {
  for (uint32_t stage = 0; stage < kD3DStageCount; ++stage) {
    AppliedUnit& unit = units_[stage];
    GLenum target = 0;
    GLuint name = whiteTexture_;
    if (stage < activeStages) {
      target = GL_TEXTURE_2D;
      if (IDirect3DBaseTexture8* texture = textures_[stage]) {
        TextureStorage& storage = StorageOf(texture);
        target = storage.GlTarget();
        name = storage.GlName();
      }
    }
    if (!unit.known || unit.enabled != target) {
      SelectUnit(stage);
      if (!unit.known) {
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_TEXTURE_CUBE_MAP);
      } else if (unit.enabled) {
        glDisable(unit.enabled);
      }
      if (target) glEnable(target);
      unit.known = true;
      unit.enabled = target;
      ++appliedChanges_;
    }
    if (!target) continue;
    // Textures are made, written and deleted between draws, and their names
    // come back: the binding and the sampling, which lives in the texture
    // object, are given at every draw.
    SelectUnit(stage);
    glBindTexture(target, name);
    ApplySampler(stage, target);
    const CombinerKey combiner = CombinerOf(stage);
    if (!unit.combinerKnown || !(unit.combiner == combiner)) {
      ApplyCombiner(stage);
      unit.combinerKnown = true;
      unit.combiner = combiner;
      ++appliedChanges_;
    }
  }
  SelectUnit(0);
}

void Pipeline::ApplyTransforms(bool pretransformed) {
  if (transformsApplied_ && appliedPretransformed_ == pretransformed) return;
  transformsApplied_ = true;
  appliedPretransformed_ = pretransformed;
  ++appliedChanges_;
  glMatrixMode(GL_MODELVIEW);
  if (pretransformed) {
    // Screen pixels, y down, pixel centres on whole numbers: x = -0.5 is the
    // target's left edge. z 0..1 maps to the clip range's -1..1.
    glViewport(0, 0, static_cast<GLsizei>(targetWidth_), static_cast<GLsizei>(targetHeight_));
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double top = -0.5, bottom = targetHeight_ - 0.5;
    glOrtho(-0.5, targetWidth_ - 0.5, textureTarget_ ? top : bottom, textureTarget_ ? bottom : top, 0.0, -1.0);
    return;
  }
  glViewport(static_cast<GLint>(viewport_.X),
             static_cast<GLint>(textureTarget_ ? viewport_.Y : targetHeight_ - viewport_.Y - viewport_.Height),
             static_cast<GLsizei>(viewport_.Width), static_cast<GLsizei>(viewport_.Height));
  D3DMATRIX worldView = Multiply(world_, view_);
  glLoadMatrixf(&worldView.m[0][0]);
  // Direct3D clips z to 0..w where OpenGL clips to -w..w, and its viewport
  // puts pixel centres half a pixel further up and left than OpenGL's.
  D3DMATRIX adjust = Identity();
  adjust.m[2][2] = 2.0f;
  adjust.m[3][2] = -1.0f;
  adjust.m[3][0] = 1.0f / static_cast<float>(viewport_.Width);
  adjust.m[3][1] = -1.0f / static_cast<float>(viewport_.Height);
  D3DMATRIX projection = Multiply(projection_, adjust);
  if (textureTarget_) {
    D3DMATRIX flip = Identity();
    flip.m[1][1] = -1.0f;
    projection = Multiply(projection, flip);
  }
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixf(&projection.m[0][0]);
}

bool Pipeline::NeedsGeneratedCoords(uint32_t stage) const {
  return (stageStates_[stage][D3DTSS_TEXCOORDINDEX] & 0xFFFF0000u) != 0 ||
         (stageStates_[stage][D3DTSS_TEXTURETRANSFORMFLAGS] & 0xFF) != D3DTTFF_DISABLE;
}

void Pipeline::GenerateCoords(uint32_t stage, const VertexLayout& layout, const uint8_t* vertices,
                              UINT vertexCount, UINT stride) {
  const DWORD index = stageStates_[stage][D3DTSS_TEXCOORDINDEX];
  const DWORD flags = stageStates_[stage][D3DTSS_TEXTURETRANSFORMFLAGS];
  const uint32_t count = flags & 0xFF;
  const bool projected = (flags & D3DTTFF_PROJECTED) != 0;
  const bool cameraSpace = (index & 0xFFFF0000u) == D3DTSS_TCI_CAMERASPACEPOSITION;
  const uint32_t set = index & 0xFFFF;
  const D3DMATRIX worldView = Multiply(world_, view_);
  std::vector<float>& out = generatedCoords_[stage];
  out.assign(static_cast<size_t>(vertexCount) * 4, 0.0f);
  for (UINT i = 0; i < vertexCount; ++i) {
    const uint8_t* vertex = vertices + static_cast<size_t>(i) * stride;
    float in[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    if (cameraSpace) {
      float position[4] = {0.0f, 0.0f, 0.0f, 1.0f};
      std::memcpy(position, vertex, 12);
      Transform(position, worldView, in);
    } else if (set < layout.texCoordSets) {
      // Two coordinates expand to (u, v, 1, 0): a 2D shift sits in the third row.
      std::memcpy(in, vertex + layout.texCoordOffset + set * 8, 8);
    }
    float result[4] = {in[0], in[1], in[2], in[3]};
    if (count != D3DTTFF_DISABLE) Transform(in, textureMatrices_[stage], result);
    float* coord = &out[static_cast<size_t>(i) * 4];
    coord[0] = result[0];
    coord[1] = count >= 2 ? result[1] : 0.0f;
    coord[2] = 0.0f;
    coord[3] = (projected && count >= 2) ? result[count - 1] : 1.0f;
  }
}

bool Pipeline::AllRhwOne(const uint8_t* vertices, UINT vertexCount, UINT stride) {
  for (UINT i = 0; i < vertexCount; ++i) {
    float rhw = 0.0f;
    std::memcpy(&rhw, vertices + static_cast<size_t>(i) * stride + 12, 4);
    if (rhw != 1.0f) return false;
  }
  return true;
}

void Pipeline::ReadArraysFromRing(bool ring) {
  glBindBuffer(GL_ARRAY_BUFFER, ring ? ring_.Name() : 0);
}

void Pipeline::SetVertexArrays(const VertexLayout& layout, const uint8_t* vertices, size_t inRing,
                               UINT vertexCount, UINT stride, uint32_t activeStages) {
  SetClientArray(GL_VERTEX_ARRAY, true, vertexArray_);
  if (layout.pretransformed && !AllRhwOne(vertices, vertexCount, stride)) {
    // (x, y, z, 1/rhw) scaled by 1/rhw keeps perspective-correct texturing.
    positions_.resize(static_cast<size_t>(vertexCount) * 4);
    for (UINT i = 0; i < vertexCount; ++i) {
      float p[4];
      std::memcpy(p, vertices + static_cast<size_t>(i) * stride, 16);
      float w = p[3] != 0.0f ? 1.0f / p[3] : 1.0f;
      float* out = &positions_[static_cast<size_t>(i) * 4];
      out[0] = p[0] * w;
      out[1] = p[1] * w;
      out[2] = p[2] * w;
      out[3] = w;
    }
    ReadArraysFromRing(false);
    glVertexPointer(4, GL_FLOAT, 0, positions_.data());
    ReadArraysFromRing(true);
  } else {
    // Flat 2D vertices (rhw 1) are their own positions.
    glVertexPointer(layout.pretransformed ? 4 : 3, GL_FLOAT, static_cast<GLsizei>(stride), RingAt(inRing));
  }
  SetClientArray(GL_COLOR_ARRAY, layout.hasDiffuse, colourArray_);
  if (layout.hasDiffuse) {
    // 0xAARRGGBB words lie in memory as B, G, R, A.
    glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, static_cast<GLsizei>(stride), RingAt(inRing + layout.diffuseOffset));
  } else {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  }
  for (uint32_t stage = 0; stage < kD3DStageCount; ++stage) {
    AppliedUnit& unit = units_[stage];
    const uint32_t set = stageStates_[stage][D3DTSS_TEXCOORDINDEX] & 0xFFFF;
    const bool generated = stage < activeStages && NeedsGeneratedCoords(stage);
    const bool array = generated || (stage < activeStages && set < layout.texCoordSets);
    // A stage that samples nothing reads no coordinates: it is left alone
    // but for an array still switched on.
    if (stage >= activeStages && arraysKnown_ && !unit.coordArray) continue;
    SelectClientUnit(stage);
    if (!arraysKnown_ || unit.coordArray != array) {
      if (array) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
      } else {
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
      }
      unit.coordArray = array;
      ++appliedChanges_;
    }
    if (generated) {
      GenerateCoords(stage, layout, vertices, vertexCount, stride);
      ReadArraysFromRing(false);
      glTexCoordPointer(4, GL_FLOAT, 0, generatedCoords_[stage].data());
      ReadArraysFromRing(true);
    } else if (array) {
      glTexCoordPointer(2, GL_FLOAT, static_cast<GLsizei>(stride), RingAt(inRing + layout.texCoordOffset + set * 8));
    } else if (stage < activeStages) {
      glMultiTexCoord4f(GL_TEXTURE0 + stage, 0.0f, 0.0f, 0.0f, 1.0f);
    }
  }
  arraysKnown_ = true;
  SelectClientUnit(0);
}

HRESULT Pipeline::Draw(D3DPRIMITIVETYPE type, UINT primitiveCount, const uint8_t* vertices, UINT vertexCount,
                       UINT stride, const uint16_t* indices) {
  VertexLayout layout;
  if (!vertices || primitiveCount == 0 || !DescribeVertices(layout) || stride < layout.size) {
    return D3DERR_INVALIDCALL;
  }
  GlPrimitive primitive = PrimitiveOf(type, primitiveCount);
  if (!indices && primitive.vertices > vertexCount) return D3DERR_INVALIDCALL;
  if (indices) {
    for (UINT i = 0; i < primitive.vertices; ++i) {
      if (indices[i] >= vertexCount) return D3DERR_INVALIDCALL;
    }
  }
  uint32_t activeStages = ActiveStageCount();
  ApplyRasterState();
  ApplyStages(activeStages);
  ApplyTransforms(layout.pretransformed);
  // The last vertex may end at its own size rather than the stride.
  const size_t vertexBytes = static_cast<size_t>(vertexCount - 1) * stride + layout.size;
  size_t vertexOffset = 0;
  size_t indexOffset = 0;
  if (!ring_.Put(vertices, vertexBytes, &vertexOffset) ||
      (indices && !ring_.Put(indices, primitive.vertices * sizeof(uint16_t), &indexOffset))) {
    return D3DERR_INVALIDCALL;
  }
  // With the ring bound, array and index "pointers" are offsets into it.
  SetVertexArrays(layout, vertices, vertexOffset, vertexCount, stride, activeStages);
  if (indices) {
    glDrawElements(primitive.mode, static_cast<GLsizei>(primitive.vertices), GL_UNSIGNED_SHORT, RingAt(indexOffset));
  } else {
    glDrawArrays(primitive.mode, 0, static_cast<GLsizei>(primitive.vertices));
  }
  return glGetError() == GL_NO_ERROR ? D3D_OK : D3DERR_INVALIDCALL;
}

void Pipeline::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, DWORD stencil) {
  GLbitfield mask = 0;
  if (flags & D3DCLEAR_TARGET) {
    float c[4];
    ColourOf(color, c);
    glClearColor(c[0], c[1], c[2], c[3]);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    mask |= GL_COLOR_BUFFER_BIT;
  }
  if (flags & D3DCLEAR_STENCIL) {
    glClearStencil(static_cast<GLint>(stencil));
    glStencilMask(0xFFFFFFFFu);
    mask |= GL_STENCIL_BUFFER_BIT;
  }
  if (!mask) return;
  // The colour and stencil write masks are the raster state's.
  rasterApplied_ = false;
  glEnable(GL_SCISSOR_TEST);
  auto clearArea = [&](LONG x1, LONG y1, LONG x2, LONG y2) {
    x1 = std::max<LONG>(x1, static_cast<LONG>(viewport_.X));
    y1 = std::max<LONG>(y1, static_cast<LONG>(viewport_.Y));
    x2 = std::min<LONG>(x2, static_cast<LONG>(viewport_.X + viewport_.Width));
    y2 = std::min<LONG>(y2, static_cast<LONG>(viewport_.Y + viewport_.Height));
    if (x1 >= x2 || y1 >= y2) return;
    glScissor(x1, textureTarget_ ? y1 : static_cast<GLint>(targetHeight_) - y2, x2 - x1, y2 - y1);
    glClear(mask);
  };
  if (count == 0 || !rects) {
    clearArea(0, 0, static_cast<LONG>(targetWidth_), static_cast<LONG>(targetHeight_));
  } else {
    for (DWORD i = 0; i < count; ++i) clearArea(rects[i].x1, rects[i].y1, rects[i].x2, rects[i].y2);
  }
  glDisable(GL_SCISSOR_TEST);
}

}  // namespace platform::d3d8
