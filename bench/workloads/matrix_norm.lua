local nn = 100

local function mul_a(src, dst)
  for i = 0, nn - 1 do
    local s = 0
    for j = 0, nn - 1 do
      s = s + src[j + 1] / ((i + j) * (i + j + 1) / 2 + i + 1)
    end
    dst[i + 1] = s
  end
end

local function mul_at(src, dst)
  for i = 0, nn - 1 do
    local s = 0
    for j = 0, nn - 1 do
      s = s + src[j + 1] / ((i + j) * (i + j + 1) / 2 + j + 1)
    end
    dst[i + 1] = s
  end
end

local u, v, w = {}, {}, {}
for i = 1, nn do u[i] = 1.0; v[i] = 0.0; w[i] = 0.0 end
for it = 1, 10 do
  mul_a(u, w)
  mul_at(w, v)
  mul_a(v, w)
  mul_at(w, u)
end
local vbv, vv = 0, 0
for i = 1, nn do
  vbv = vbv + u[i] * v[i]
  vv = vv + v[i] * v[i]
end
print(string.format('%.15g', math.sqrt(vbv / vv)))
