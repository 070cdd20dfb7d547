for i = 1, 50000 do
  print(i)
end
