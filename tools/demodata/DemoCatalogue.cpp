#include "DemoCatalogue.h"

namespace demo {
namespace {

struct Product {
  const char* name;
  int department;
  uint32_t basePrice;  // cents
};

constexpr Product kProducts[] = {
    {"WHITE BREAD", 1, 189},   {"RYE BREAD", 1, 249},     {"CROISSANT", 2, 89},     {"DONUT", 2, 109},
    {"MILK", 3, 99},           {"YOGHURT", 3, 59},        {"GOUDA", 4, 229},        {"BRIE", 4, 279},
    {"APPLES", 5, 199},        {"BANANAS", 5, 149},       {"TOMATOES", 6, 249},     {"CARROTS", 6, 99},
    {"CHICKEN", 7, 599},       {"SAUSAGES", 7, 349},      {"SALMON", 8, 899},       {"TUNA", 8, 299},
    {"MINERAL WATER", 9, 49},  {"ORANGE JUICE", 9, 179},  {"COLA", 10, 129},        {"LEMONADE", 10, 119},
    {"LAGER", 11, 99},         {"ALE", 11, 149},          {"RED WINE", 12, 599},    {"WHITE WINE", 12, 549},
    {"COFFEE BEANS", 13, 799}, {"GREEN TEA", 13, 299},    {"SPAGHETTI", 14, 119},   {"RICE", 14, 189},
    {"TOMATO SOUP", 15, 139},  {"BEANS", 15, 89},         {"CHOCOLATE", 16, 129},   {"GUMMY BEARS", 16, 99},
    {"DISH SOAP", 17, 179},    {"SPONGES", 17, 149},      {"KITCHEN ROLL", 18, 259},{"TISSUES", 18, 119},
    {"DAILY NEWS", 19, 250},   {"MAGAZINE", 19, 450},     {"MATCHES", 20, 50},      {"LIGHTER", 20, 150},
};

constexpr const char* kSizes[] = {"", " S", " L", " XL", " BIO"};
constexpr int kTaxOfDepartment(int department) { return department >= 9 && department <= 12 ? 2 : 1; }

}  // namespace

std::vector<Plu> MakePlus() {
  std::vector<Plu> plus;
  int index = 0;
  for (const Product& product : kProducts) {
    for (int size = 0; size < 5; ++size, ++index) {
      Plu plu;
      // Codes like shelf labels: 4 digits of product and size, in ascending order.
      plu.code = 1000 + static_cast<uint64_t>(index) * 7;
      plu.name = std::string(product.name) + kSizes[size];
      if (plu.name.size() > 18) plu.name.resize(18);
      plu.department = product.department;
      plu.group = size == 4 ? 3 : 1 + (index % 2);
      plu.price1 = product.basePrice + static_cast<uint32_t>(size) * 40;
      plu.price2 = plu.price1 * 9 / 10;
      plu.price3 = plu.price1 * 8 / 10;
      plu.tax = kTaxOfDepartment(product.department);
      plu.stockMilli = static_cast<int64_t>((index * 37) % 500) * 1000 + (size == 2 ? 500 : 0);
      plus.push_back(plu);
    }
  }
  return plus;
}

}  // namespace demo
