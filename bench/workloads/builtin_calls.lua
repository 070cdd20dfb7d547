local t = 0
for i = 1, 100000 do
  t = t + #tostring(i) + math.floor(i / 7) + math.max(i, 50000)
end
print(string.format('%d', t))
